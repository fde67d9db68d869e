#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ScopedOverride.h"
#include "platform/serial/SerialPort.h"

namespace vti {

// Serial port numbers as the host and the plug-in know them ("COM3") resolved to devices.
//
// The table is kept in the host settings under HKEY_LOCAL_MACHINE\Software\Tavik\orvel\Ports:
// one text value a port, named "COM<n>", holding the device path, for example
//   COM1 = /dev/ttyUSB0
//   COM2 = /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0
// A number without an entry resolves to no device, which opens as "Port not found".
namespace MPortTable {

inline constexpr const char* kPortsKey = "Software\\Tavik\\orvel\\Ports";

// The port number a user typed: "COM7", "com7" or "7" give 7; anything else (a device path, "0",
// "-3", a number beyond 32 bits) gives nothing.
std::optional<int32_t> PortNumber(std::string_view text);

// The device path of port `port`, or empty text when the table has none.
std::string DevicePath(int32_t port);

// A closed port for port number `port`: made by the installed factory if there is one, else a
// termios port on the device of the table.
std::shared_ptr<platform::serial::SerialPort> CreatePort(int32_t port);

// A closed port for a text a user typed: a device path ("/dev/ttyUSB0") is taken directly,
// "COM<n>" or a plain number goes through the table.
std::shared_ptr<platform::serial::SerialPort> CreatePort(const std::string& portOrPath);

// A process-wide replacement for the ports made by number, for the in-process simulator and for
// tests (a VirtualSerialLink end instead of a device). Empty: ports come from the table.
using PortFactory = std::function<std::shared_ptr<platform::serial::SerialPort>(int32_t port)>;
PortFactory& PortFactorySlot();

// Installs `factory` for its own lifetime, then puts back the one installed before.
class PortFactoryOverride : public platform::ScopedOverride<PortFactory> {
 public:
  explicit PortFactoryOverride(PortFactory factory)
      : ScopedOverride(PortFactorySlot(), std::move(factory)) {}
};

}  // namespace MPortTable

}  // namespace vti
