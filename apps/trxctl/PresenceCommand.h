#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "host_api/IOrvelMLCQuery.h"

namespace trxctl {

// "trxctl query" and "trxctl scan": the driver's presence query on one port or on several.
class PresenceCommand {
 public:
  // Prints the result for `port` (a device path or a port number); kExitSuccess when an analyzer
  // answered (ready or not), kExitUsage when nothing did (saying why when the port did not open).
  static int query(const std::string& port, std::ostream& out);
  // One line for each port in `candidates` that opens; with `named` (the technician named the
  // ports) also one for each that does not, saying why. kExitSuccess when an analyzer answered
  // on one of them, kExitUsage otherwise.
  static int scan(const std::vector<std::string>& candidates, bool named, std::ostream& out);

  // "TRX440, serial number T440-000117, firmware 2.05 (status 2: identified)".
  static std::string describe(const host_api::MLCQueryResult& result);
};

}  // namespace trxctl
