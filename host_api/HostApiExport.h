#pragma once

// The host interfaces' library is shared like the platform, and as hidden by default: what
// programs and libraries use of it is marked with this macro.
#define ORVEL_HOST_API __attribute__((visibility("default")))
