#pragma once

#include "platform/PlatformExport.h"

#include <string>

#include "platform/ComError.h"

namespace platform {

// The one place where a failure of any kind becomes an error of the system. Every public
// operation of the driver and the plug-in catches with `catch (...)` and asks here what it caught,
// so a C++ failure (out of memory, a file error, a bad conversion) reaches the user as the numbered
// run-time error it amounts to instead of escaping as an unknown exception.

// The exception being handled as a ComError: a ComError as it is, a C++ failure as the run-time
// error it amounts to, with `source` naming where it failed. Call only from inside a catch block.
ORVEL_PLATFORM_API ComError CurrentError(const std::string& source);

// Runs a step whose own failure must neither replace the error being handled nor keep the
// steps after it from running (closing a port, switching the outlet off after a failure).
template <typename Step>
void IgnoreErrors(Step&& step) noexcept {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace platform
