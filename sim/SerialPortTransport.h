#pragma once

#include <functional>
#include <memory>

#include "platform/serial/SerialPort.h"
#include "sim/Transport.h"

namespace sim {

class SimulatedAnalyzer;

// The analyzer on the device end of a serial port (the in-process VirtualSerialLink in tests):
// opens it, hands arriving bytes to the analyzer and writes its replies. Cutting the line is
// left to the owner of the cable.
class SerialPortTransport : public Transport {
 public:
  SerialPortTransport(SimulatedAnalyzer& analyzer,
                      std::shared_ptr<platform::serial::SerialPort> port,
                      std::function<void()> hangUp);
  ~SerialPortTransport() override;

  void send(std::string_view bytes) override;
  void hangUp() override;

 private:
  std::shared_ptr<platform::serial::SerialPort> m_port;
  std::function<void()> m_hangUp;
};

}  // namespace sim
