#pragma once

namespace platform {

// Common base of every object that travels in a Variant or is asked for another of its
// interfaces (std::dynamic_pointer_cast).
class Object {
 public:
  virtual ~Object() = default;
};

}  // namespace platform
