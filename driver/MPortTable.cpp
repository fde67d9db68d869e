#include "driver/MPortTable.h"

#include <cctype>
#include <charconv>
#include <utility>

#include "host_api/HostServices.h"
#include "platform/serial/PosixSerialPort.h"

namespace vti::MPortTable {

namespace {

// "COM7", "com7" or "7" give 7; anything else gives nothing.
std::optional<int32_t> portNumberOf(const std::string& text) {
  std::string_view digits = text;
  if (digits.size() > 3 && std::toupper(static_cast<unsigned char>(digits[0])) == 'C' &&
      std::toupper(static_cast<unsigned char>(digits[1])) == 'O' &&
      std::toupper(static_cast<unsigned char>(digits[2])) == 'M') {
    digits.remove_prefix(3);
  }
  int32_t port = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return port;
}

}  // namespace

PortFactory& PortFactorySlot() {
  static PortFactory factory;
  return factory;
}

PortFactoryOverride::PortFactoryOverride(PortFactory factory)
    : m_previous(std::exchange(PortFactorySlot(), std::move(factory))) {}

PortFactoryOverride::~PortFactoryOverride() { PortFactorySlot() = std::move(m_previous); }

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
  if (auto port = portNumberOf(portOrPath)) return CreatePort(*port);
  return std::make_shared<platform::serial::PosixSerialPort>(portOrPath);
}

}  // namespace vti::MPortTable
