#pragma once

#include "platform/PlatformExport.h"

#include <memory>
#include <string>

#include "platform/EventLoop.h"
#include "platform/serial/SerialPort.h"

namespace platform::serial {

// An in-process serial cable. Bytes written at one end arrive at the other after the time the
// line needs to carry them (10 bits a byte at the configured baud rate) plus a fixed latency,
// scheduled on the event loop, so on a VirtualLoop an exchange is exact and instant.
class ORVEL_PLATFORM_API VirtualSerialLink {
 public:
  struct Timing {
    int baud = 115200;
    Duration latency = std::chrono::microseconds(200);
  };

  VirtualSerialLink();
  explicit VirtualSerialLink(Timing timing);
  ~VirtualSerialLink();

  // The two ends; each is a SerialPort of its own. The "host" end is what the driver opens, the
  // "device" end is the analyzer's side.
  std::shared_ptr<SerialPort> hostEnd() const;
  std::shared_ptr<SerialPort> deviceEnd() const;

  // Cuts the cable: bytes in flight are lost, nothing more arrives, writes go nowhere.
  void hangUp();
  bool isHungUp() const;
  // A device name that makes the host end report "Port not found" when opened.
  void setPresent(bool present);

  // Line time of `bytes` bytes at the configured baud rate.
  Duration byteTime(size_t bytes) const;

  class End;

 private:
  struct Shared;
  std::shared_ptr<Shared> m_shared;
};

}  // namespace platform::serial
