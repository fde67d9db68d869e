#pragma once

#include <signal.h>

#include <functional>

#include "platform/EventLoop.h"

namespace trxctl {

// The signals that ask the program to end (Ctrl-C's SIGINT, SIGTERM from kill, timeout(1) or a
// service manager, SIGHUP when the terminal closes) as events of the loop: while this lives,
// they are blocked and arrive through a signalfd the loop watches, so a stop is handled between
// two steps of the driver, never in the middle of one, and the analyzer can still be put back
// into a safe state. Left to their default action, they would end the program with the
// analyzer under remote control.
class StopSignal {
 public:
  // `onStop` gets the number of the signal that arrived.
  explicit StopSignal(std::function<void(int)> onStop);
  ~StopSignal();
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;

 private:
  std::function<void(int)> m_onStop;
  int m_fd = -1;
  platform::EventLoop* m_loop = nullptr;
  platform::WatchId m_watch = 0;
  sigset_t m_unblock;  // the signals that were not blocked before
};

}  // namespace trxctl
