#include "driver/MPortTable.h"

#include <cctype>
#include <charconv>
#include <utility>

#include "host_api/HostServices.h"
#include "platform/serial/PosixSerialPort.h"

namespace vti::MPortTable {

std::optional<int32_t> PortNumber(std::string_view text) {
  if (text.size() > 3 && std::toupper(static_cast<unsigned char>(text[0])) == 'C' &&
      std::toupper(static_cast<unsigned char>(text[1])) == 'O' &&
      std::toupper(static_cast<unsigned char>(text[2])) == 'M') {
    text.remove_prefix(3);
  }
  // Digits only: no sign, no blanks, so "-3" or "COM 3" is a path and not port 3.
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  int32_t port = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (ec != std::errc() || end != text.data() + text.size() || port == 0) return std::nullopt;
  return port;
}

PortFactory& PortFactorySlot() {
  static PortFactory factory;
  return factory;
}

std::string DevicePath(int32_t port) {
  auto& services = host_api::hostServices();
  if (!services.newRegistryKey) return {};
  auto key = services.newRegistryKey();
  if (!key || !key->Open(host_api::RegistryRoot::LocalMachine, kPortsKey)) return {};
  return key->ReadText("COM" + std::to_string(port)).value_or(std::string());
}

std::shared_ptr<platform::serial::SerialPort> CreatePort(int32_t port) {
  if (auto& factory = PortFactorySlot()) return factory(port);
  return std::make_shared<platform::serial::PosixSerialPort>(DevicePath(port));
}

std::shared_ptr<platform::serial::SerialPort> CreatePort(const std::string& portOrPath) {
  if (auto port = PortNumber(portOrPath)) return CreatePort(*port);
  return std::make_shared<platform::serial::PosixSerialPort>(portOrPath);
}

}  // namespace vti::MPortTable
