#pragma once

#include <ostream>

namespace orvel {

// The exit codes of orvel.
enum ExitCode : int {
  kExitSuccess = 0,
  kExitFailed = 1,  // a command that judges found a failed reading
  kExitUsage = 2,   // usage, file and plug-in errors
};

// The orvel program without its process set-up (host services), so that tests can run it in
// process with host services of their own.
class Orvel {
 public:
  // `terminalInput`: whether standard input is a terminal an operator types on.
  static int main(int argc, const char* const argv[], std::ostream& out, std::ostream& err,
                  bool terminalInput = false);
};

}  // namespace orvel
