#pragma once

#include "platform/EventLoop.h"

namespace platform {

// The real loop: blocks in ppoll(2) until the next timer, fd event or posted call, so a wait
// costs no CPU.
class PollLoop : public EventLoop {
 public:
  TimePoint now() const override { return Clock::now(); }

 protected:
  void waitForEvents(std::optional<TimePoint> deadline) override;
};

}  // namespace platform
