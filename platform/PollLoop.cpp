#include "platform/PollLoop.h"

#include <poll.h>

#include <stdexcept>

namespace platform {

void PollLoop::waitForEvents(std::optional<TimePoint> deadline) {
  std::optional<std::chrono::nanoseconds> timeout;
  if (deadline) timeout = std::max(*deadline - now(), Clock::duration::zero());
  if (!hasWatches()) {
    if (!timeout) throw std::logic_error("event loop: waiting with no timer and no watch");
    // Nothing to watch: ppoll with no descriptors is a precise sleep until the next timer.
  }
  pollWatches(timeout);
}

}  // namespace platform
