// trxctl: electrical-safety tests on a TRX440 safety analyzer from a terminal or a script.
// Exit codes: 0 success, 1 a test ended aborted or in error, 2 usage and connection errors.

#include <signal.h>
#include <unistd.h>

#include <iostream>

#include "apps/trxctl/CommandLine.h"
#include "apps/trxctl/Trxctl.h"
#include "host/HostServicesInstaller.h"

int main(int argc, char** argv) {
  // A reader of the results that goes away (trxctl ... | head) must not kill the program in the
  // middle of a session: the analyzer would stay under remote control with its outlet on. A
  // failed write is harmless; the session goes on and closes as usual.
  signal(SIGPIPE, SIG_IGN);
  try {
    host::installHostServices();
  } catch (const std::exception& e) {
    std::cerr << "trxctl: " << e.what() << '\n';
    return trxctl::kExitUsage;
  }
  return trxctl::Trxctl::main(argc, argv, std::cout, std::cerr, isatty(STDIN_FILENO) == 1,
                              isatty(STDOUT_FILENO) == 1);
}
