// Figures of the event loop that the rest of the system relies on:
//   cpu_per_wall   CPU time over wall time while PollLoop waits 2 s for a timer (goal < 0.01)
//   mean_late_ms   mean lateness of a 10 ms repeating timer over 200 firings (goal < 2 ms)
//   seconds        wall time for 1,000,000 timer events through VirtualLoop (goal < 1 s)

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench/BenchClock.h"
#include "platform/PollLoop.h"
#include "platform/VirtualLoop.h"

using namespace std::chrono_literals;

namespace {
using bench::cpuSeconds;

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void PollLoopIdleWait(benchmark::State& state) {
  platform::PollLoop loop;
  for (auto _ : state) {
    double cpuStart = cpuSeconds();
    auto wallStart = std::chrono::steady_clock::now();
    bool fired = false;
    loop.startTimer(2s, [&] { fired = true; });
    loop.processUntil([&] { return fired; });
    double wall = secondsSince(wallStart);
    state.counters["cpu_per_wall"] = (cpuSeconds() - cpuStart) / wall;
    state.counters["wall_s"] = wall;
  }
}
BENCHMARK(PollLoopIdleWait)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void TimerLateness10ms(benchmark::State& state) {
  platform::PollLoop loop;
  constexpr int Firings = 200;
  for (auto _ : state) {
    int count = 0;
    double totalLate = 0;
    double maxLate = 0;
    const auto start = loop.now();
    platform::TimerId id = loop.startRepeating(10ms, [&] {
      ++count;
      auto due = start + count * 10ms;
      double late = std::chrono::duration<double, std::milli>(loop.now() - due).count();
      totalLate += late;
      maxLate = std::max(maxLate, late);
    });
    loop.processUntil([&] { return count >= Firings; });
    loop.stopTimer(id);
    state.counters["mean_late_ms"] = totalLate / Firings;
    state.counters["max_late_ms"] = maxLate;
  }
}
BENCHMARK(TimerLateness10ms)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A thousand timers of different periods, as many countdowns and channel time-outs would be,
// until a million events have fired.
void VirtualLoopMillionTimerEvents(benchmark::State& state) {
  constexpr int Events = 1000000;
  for (auto _ : state) {
    platform::VirtualLoop loop;
    int count = 0;
    std::vector<platform::TimerId> ids;
    auto wallStart = std::chrono::steady_clock::now();
    for (int i = 1; i <= 1000; ++i) {
      ids.push_back(loop.startRepeating(std::chrono::milliseconds(i % 97 + 1), [&] { ++count; }));
    }
    loop.processUntil([&] { return count >= Events; });
    double wall = secondsSince(wallStart);
    for (auto id : ids) loop.stopTimer(id);
    state.counters["seconds"] = wall;
    state.counters["events"] = count;
  }
}
BENCHMARK(VirtualLoopMillionTimerEvents)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
}  // namespace

BENCHMARK_MAIN();
