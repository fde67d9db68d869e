#include "apps/trxctl/PresenceCommand.h"

#include <algorithm>
#include <filesystem>

#include "apps/trxctl/CommandLine.h"
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

// Whether the device opens at all: a scan reports only the ports this machine really has.
bool opens(const std::string& device) {
  auto port = vti::MPortTable::CreatePort(device);
  port->open();
  bool ok = port->isOpen();
  port->close();
  return ok;
}

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
  out << port << ": " << describe(result) << std::endl;
  return answered(result) ? kExitSuccess : kExitUsage;
}

int PresenceCommand::scan(const std::vector<std::string>& candidates, std::ostream& out) {
  bool any = false;
  for (const std::string& device : candidates) {
    if (!opens(device)) continue;
    MLCQueryResult result = queryPort(device);
    out << device << ": " << describe(result) << std::endl;
    any = any || answered(result);
  }
  return any ? kExitSuccess : kExitUsage;
}

std::vector<std::string> PresenceCommand::serialDevices() {
  std::vector<std::string> devices;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/dev", ec)) {
    std::string name = entry.path().filename().string();
    for (const char* prefix : {"ttyUSB", "ttyACM", "ttyS"}) {
      if (name.rfind(prefix, 0) == 0 && name.size() > std::string_view(prefix).size()) {
        devices.push_back(entry.path().string());
      }
    }
  }
  std::sort(devices.begin(), devices.end());
  return devices;
}

}  // namespace trxctl
