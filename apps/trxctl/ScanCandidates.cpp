#include "apps/trxctl/ScanCandidates.h"

#include <algorithm>
#include <set>

#include "driver/MPortTable.h"

namespace trxctl {

namespace {

// The device a name stands for, so that a by-id link and its ttyUSB node are asked once.
std::string identity(const std::string& device) {
  std::error_code ec;
  auto canonical = std::filesystem::weakly_canonical(device, ec);
  return ec ? device : canonical.string();
}

}  // namespace

std::vector<std::string> ScanCandidates::tablePorts() const {
  std::vector<std::string> ports;
  for (int32_t port = 1; port <= kLastTablePort; ++port) {
    if (!vti::MPortTable::DevicePath(port).empty()) ports.push_back("COM" + std::to_string(port));
  }
  return ports;
}

std::vector<std::string> ScanCandidates::devices(
    const std::filesystem::path& folder, std::initializer_list<const char*> prefixes) const {
  std::vector<std::string> found;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    for (std::string_view prefix : prefixes) {
      if (name.starts_with(prefix) && name.size() > prefix.size())
        found.push_back(entry.path().string());
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::vector<std::string> ScanCandidates::list(bool all) const {
  std::vector<std::string> ports;
  std::set<std::string> seen;
  auto add = [&](const std::string& port, const std::string& device) {
    if (seen.insert(identity(device)).second) ports.push_back(port);
  };
  for (const auto& port : tablePorts())
    add(port, vti::MPortTable::DevicePath(*vti::MPortTable::PortNumber(port)));
  for (const auto& device : devices(m_dev / "serial" / "by-id", {""})) add(device, device);
  for (const auto& device : devices(m_dev, {"ttyUSB", "ttyACM"})) add(device, device);
  if (all) {
    for (const auto& device : devices(m_dev, {"ttyS", "ttyAMA"})) add(device, device);
  }
  return ports;
}

}  // namespace trxctl
