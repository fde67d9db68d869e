#pragma once

#include <ostream>

namespace trxctl {

// The trxctl program without its process set-up (host services, the real-time loop), so that
// tests can run it on virtual time against the in-process simulator.
class Trxctl {
 public:
  // Runs one command line and returns the exit code. `terminalInput`: whether standard input is
  // a terminal an operator can answer prompts on. `terminalOutput`: whether `out` is a terminal
  // (the waits of a test are then shown as a countdown).
  static int main(int argc, const char* const argv[], std::ostream& out, std::ostream& err,
                  bool terminalInput, bool terminalOutput = false);
};

}  // namespace trxctl
