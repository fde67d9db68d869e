#pragma once

#include <time.h>

#include <chrono>

// Clocks the benchmarks measure with: CPU time of the whole process (all threads, user and
// system) and monotonic wall time, both in seconds.
namespace bench {

inline double cpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

inline double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace bench
