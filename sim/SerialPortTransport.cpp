#include "sim/SerialPortTransport.h"

#include "sim/SimulatedAnalyzer.h"

namespace sim {

SerialPortTransport::SerialPortTransport(SimulatedAnalyzer& analyzer,
                                         std::shared_ptr<platform::serial::SerialPort> port,
                                         std::function<void()> hangUp)
    : m_port(std::move(port)), m_hangUp(std::move(hangUp)) {
  if (!m_port->isOpen()) m_port->open();
  auto* raw = m_port.get();
  m_port->onReadable([&analyzer, raw] { analyzer.receive(raw->read()); });
}

SerialPortTransport::~SerialPortTransport() {
  m_port->onReadable({});
  m_port->close();
}

void SerialPortTransport::send(std::string_view bytes) {
  if (m_port->isOpen()) m_port->write(bytes);
}

void SerialPortTransport::hangUp() {
  if (m_hangUp) m_hangUp();
}

}  // namespace sim
