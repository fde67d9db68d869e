#pragma once

#include <functional>

#include "platform/EventLoop.h"

namespace trxctl {

// Ctrl-C (SIGINT) as an event of the loop: while this lives, the signal is blocked and arrives
// through a signalfd the loop watches, so a stop is handled between two steps of the driver,
// never in the middle of one, and the analyzer can still be put back into a safe state.
class StopSignal {
 public:
  explicit StopSignal(std::function<void()> onStop);
  ~StopSignal();
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;

 private:
  std::function<void()> m_onStop;
  int m_fd = -1;
  platform::EventLoop* m_loop = nullptr;
  platform::WatchId m_watch = 0;
  bool m_wasBlocked = false;
};

}  // namespace trxctl
