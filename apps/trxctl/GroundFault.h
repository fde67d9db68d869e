#pragma once

#include <string>

namespace trxctl {

// The analyzer's ground-fault interrupter has tripped: it cut the outlet and refuses every test
// command ("!50") until it is reset. The driver reports the refusal as a reply it does not
// expect; a technician must read what happened and how to go on.
class GroundFault {
 public:
  static constexpr const char* kTripped = "ground-fault interrupter tripped";

  // Whether the driver's error text `description` reports a tripped interrupter: the refusal
  // "!50" quoted in it, or the driver's own text for that refusal.
  static bool reportedIn(const std::string& description);
  // What to do next, for the error output: check the device, then reset on request.
  static std::string advice(const std::string& port);
};

}  // namespace trxctl
