#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "apps/trxctl/TrxctlRequest.h"

namespace trxctl {

// The exit codes of trxctl.
enum ExitCode : int {
  kExitSuccess = 0,
  kExitTestFailed = 1,  // a test ended aborted or in error
  kExitUsage = 2,       // usage and connection errors
};

// Reads trxctl's command line into a request. Every command has --help.
class CommandLine {
 public:
  // Parses the arguments. Returns the exit code when the program should end at once (help shown:
  // kExitSuccess; a usage error, explained on `err`: kExitUsage); nothing when request() is
  // ready.
  std::optional<int> parse(int argc, const char* const argv[], std::ostream& out,
                           std::ostream& err);
  const TrxctlRequest& request() const { return m_request; }

  // "etcPatLeak", "10:6", "etcPatLeak:epcNCRM" with `defaultPower` ("" for the test's usual
  // configuration), `lead` (below -1: the test's own) and `appliedPart` ("" for the default)
  // checked and filled in. Throws std::invalid_argument with a message for the user.
  static PlannedTest planTest(const std::string& testItem, const std::string& defaultPower,
                              int32_t lead, const std::string& appliedPart);

 private:
  TrxctlRequest m_request;
};

}  // namespace trxctl
