#pragma once

#include <utility>

namespace platform {

// Replaces what a process-wide slot holds (the loop, the screen, the host services, ...) for the
// lifetime of this object and then puts back what was there, also when an exception or a failed
// test assertion leaves the scope early, and also when something else wrote to the slot meanwhile.
// Each slot offers its own override class built on this one.
template <typename T>
class ScopedOverride {
 public:
  ScopedOverride(T& slot, T replacement)
      : m_slot(slot), m_previous(std::exchange(slot, std::move(replacement))) {}
  ~ScopedOverride() { m_slot = std::move(m_previous); }
  ScopedOverride(const ScopedOverride&) = delete;
  ScopedOverride& operator=(const ScopedOverride&) = delete;

 private:
  T& m_slot;
  T m_previous;
};

}  // namespace platform
