#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace trxctl {

// The ports "trxctl scan" asks, which must not include lines where something else is attached:
// the scan sends "LOCAL" and ESC to each port that opens.
class ScanCandidates {
 public:
  // The highest port number a scan looks up in the port table.
  static constexpr int32_t kLastTablePort = 64;

  // `devDir` is the device folder; tests give a folder of their own.
  explicit ScanCandidates(std::filesystem::path devDir = "/dev") : m_dev(std::move(devDir)) {}

  // The ports of the port table ("COM3"), then the USB serial adapters (serial/by-id/*,
  // ttyUSB*, ttyACM*), each device once. With `all`, also the machine's other serial lines
  // (ttyS*, ttyAMA*), where modems, consoles and other instruments may be attached.
  std::vector<std::string> list(bool all) const;

 private:
  std::vector<std::string> tablePorts() const;
  // The devices of `folder` whose names start with one of `prefixes`, sorted.
  std::vector<std::string> devices(const std::filesystem::path& folder,
                                   std::initializer_list<const char*> prefixes) const;

  std::filesystem::path m_dev;
};

}  // namespace trxctl
