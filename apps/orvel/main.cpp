// orvel: builds test templates from the TRX440 plug-in's catalogue, sets their options, runs
// them against the analyzer and prints their reports. Exit codes: 0 success, 1 a failed
// judgement or a run that ended early, 2 usage, file and connection errors.

#include <unistd.h>

#include <iostream>

#include "apps/orvel/Orvel.h"
#include "host/HostServicesInstaller.h"

int main(int argc, char** argv) {
  try {
    host::installHostServices();
  } catch (const std::exception& e) {
    std::cerr << "orvel: " << e.what() << '\n';
    return orvel::kExitUsage;
  }
  return orvel::Orvel::main(argc, argv, std::cout, std::cerr, isatty(STDIN_FILENO) == 1);
}
