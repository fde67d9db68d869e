#include "apps/trxctl/PresenceCommand.h"

#include "apps/trxctl/CommandLine.h"
#include "apps/trxctl/PortDiagnosis.h"
#include "driver/CTrxMlcQuery.h"
#include "driver/MError.h"
#include "driver/MPortTable.h"

namespace trxctl {

namespace {

using host_api::MLCQueryResult;

MLCQueryResult queryPort(const std::string& port) {
  vti::CTrxMlcQuery mlc;
  return mlc.QueryMTI(vti::MPortTable::CreatePort(port));
}

bool answered(const MLCQueryResult& result) { return result.Status != MLCQueryResult::kNotFound; }

}  // namespace

std::string PresenceCommand::describe(const MLCQueryResult& result) {
  switch (result.Status) {
    case MLCQueryResult::kIdentified:
      // Serial number and firmware are the device's own text: whatever it sends must not
      // reach the terminal as control characters.
      return result.Model + ", serial number " + vti::MError::EscapeControlChars(result.SerialNo) +
             ", firmware " + vti::MError::EscapeControlChars(result.FWVersion) +
             " (status 2: identified)";
    case MLCQueryResult::kNotReady:
      return result.Model +
             " not ready for remote control: its front panel is in use (status 1: not ready)";
    default:
      return "no analyzer answered (status 0: nothing found)";
  }
}

int PresenceCommand::query(const std::string& port, std::ostream& out) {
  MLCQueryResult result = queryPort(port);
  out << port << ": ";
  // Nothing found on a port that does not even open: say why it did not.
  if (!answered(result) && !PortDiagnosis::opens(port)) {
    out << PortDiagnosis().explain(port) << " (status 0: nothing found)" << std::endl;
  } else {
    out << describe(result) << std::endl;
  }
  return answered(result) ? kExitSuccess : kExitUsage;
}

int PresenceCommand::scan(const std::vector<std::string>& candidates, bool named,
                          std::ostream& out) {
  bool any = false;
  for (const std::string& port : candidates) {
    if (!PortDiagnosis::opens(port)) {
      if (named) out << port << ": " << PortDiagnosis().explain(port) << std::endl;
      continue;
    }
    MLCQueryResult result = queryPort(port);
    out << port << ": " << describe(result) << std::endl;
    any = any || answered(result);
  }
  return any ? kExitSuccess : kExitUsage;
}

}  // namespace trxctl
