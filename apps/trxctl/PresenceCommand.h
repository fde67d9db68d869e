#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "host_api/IOrvelMLCQuery.h"

namespace trxctl {

// "trxctl query" and "trxctl scan": the driver's presence query on one port or on every serial
// port of the machine that opens.
class PresenceCommand {
 public:
  // Prints the result for `port` (a device path or a port number); kExitSuccess when an analyzer
  // answered (ready or not), kExitUsage when nothing did.
  static int query(const std::string& port, std::ostream& out);
  // One line for each port in `candidates` that opens; kExitSuccess when an analyzer answered
  // on one of them, kExitUsage otherwise.
  static int scan(const std::vector<std::string>& candidates, std::ostream& out);
  // The machine's serial devices: /dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS*, sorted.
  static std::vector<std::string> serialDevices();

  // "TRX440, serial number T440-000117, firmware 2.05 (status 2: identified)".
  static std::string describe(const host_api::MLCQueryResult& result);
};

}  // namespace trxctl
