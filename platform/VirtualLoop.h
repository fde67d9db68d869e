#pragma once

#include "platform/PlatformExport.h"

#include "platform/EventLoop.h"

namespace platform {

// A loop on virtual time for tests: when nothing is ready, the clock jumps to the next timer, so
// long countdowns cost nothing and runs are deterministic. Watched fds are still polled for
// real. Waiting with nothing that could ever end the wait is a bug in the test and throws.
class ORVEL_PLATFORM_API VirtualLoop : public EventLoop {
 public:
  VirtualLoop();
  TimePoint now() const override { return m_now; }
  // Loop time passed since construction.
  Milliseconds elapsed() const;

 protected:
  void waitForEvents(std::optional<TimePoint> deadline) override;

 private:
  TimePoint m_start;
  TimePoint m_now;
};

}  // namespace platform
