#pragma once

#include <ostream>
#include <string>

namespace trxctl {

// "trxctl reset-trip PORT": resets the analyzer's tripped ground-fault interrupter, and only
// when the technician asks for it. It opens the port on its own, sends the reset ("GFIR") and
// waits for the acknowledgement through the event loop; nothing else goes to the analyzer.
class TripReset {
 public:
  static constexpr int kTimeOutMs = 1500;

  // kExitSuccess when the analyzer acknowledged the reset, kExitTestFailed when it refused it,
  // kExitUsage when the port did not open or nothing answered.
  static int run(const std::string& port, std::ostream& out);

 private:
  // The reply line up to its line end, or empty text when none came in time.
  static std::string exchange(const std::string& port, std::string& failure);
};

}  // namespace trxctl
