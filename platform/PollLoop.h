#pragma once

#include "platform/PlatformExport.h"

#include "platform/EventLoop.h"

namespace platform {

// The real loop: blocks in ppoll(2) until the next timer, fd event or posted call, so a wait
// costs no CPU.
class ORVEL_PLATFORM_API PollLoop : public EventLoop {
 public:
  TimePoint now() const override { return Clock::now(); }

 protected:
  void waitForEvents(std::optional<TimePoint> deadline) override;
};

}  // namespace platform
