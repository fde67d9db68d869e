#pragma once

#include "platform/PlatformExport.h"

namespace platform {

// Common base of every object that travels in a Variant or is asked for another of its
// interfaces (std::dynamic_pointer_cast).
class ORVEL_PLATFORM_API Object {
 public:
  virtual ~Object();  // defined in the library: one virtual table per process
};

}  // namespace platform
