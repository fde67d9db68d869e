#include "platform/VirtualLoop.h"

#include <stdexcept>

namespace platform {

VirtualLoop::VirtualLoop() : m_start(TimePoint{} + std::chrono::hours(1)), m_now(m_start) {}

Milliseconds VirtualLoop::elapsed() const {
  return std::chrono::duration_cast<Milliseconds>(m_now - m_start);
}

void VirtualLoop::waitForEvents(std::optional<TimePoint> deadline) {
  if (deadline) {
    if (*deadline > m_now) m_now = *deadline;
    return;
  }
  // Only real descriptors could end this wait: give them a generous real-time chance.
  if (hasWatches() && pollWatches(std::chrono::seconds(10))) return;
  throw std::logic_error("VirtualLoop: waiting for an event that can never come");
}

}  // namespace platform
