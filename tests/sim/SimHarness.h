#pragma once

#include <memory>
#include <string>

#include "platform/VirtualLoop.h"
#include "platform/serial/VirtualSerialLink.h"
#include "sim/Scenario.h"
#include "sim/SimulatedAnalyzer.h"

// A host on the other end of an in-process cable to a simulated analyzer, on virtual time.
class SimHarness {
 public:
  explicit SimHarness(sim::Scenario scenario)
      : m_override(m_loop), m_analyzer(std::move(scenario)) {
    m_analyzer.attach(m_link);
    m_host = m_link.hostEnd();
    m_host->open();
    m_host->onReadable([this] { m_received += m_host->read(); });
  }
  explicit SimHarness(const std::string& scenarioText = "")
      : SimHarness(sim::Scenario::parse(scenarioText, "test")) {}

  // Sends a command with CR LF and gives what arrives until the first CR LF (or, after
  // `patience` of silence, whatever arrived).
  std::string ask(const std::string& command,
                  platform::Duration patience = std::chrono::seconds(3)) {
    m_received.clear();
    send(command + "\r\n");
    return awaitLine(patience);
  }
  std::string awaitLine(platform::Duration patience = std::chrono::seconds(3)) {
    bool expired = false;
    platform::TimerId timer = m_loop.startTimer(patience, [&expired] { expired = true; });
    m_loop.processUntil([&] { return expired || m_received.find("\r\n") != std::string::npos; });
    m_loop.stopTimer(timer);
    return m_received;
  }
  void send(const std::string& bytes) { m_host->write(bytes); }
  // Gives everything that arrives within `duration`.
  std::string collect(platform::Duration duration) {
    m_received.clear();
    m_loop.processFor(duration);
    return m_received;
  }
  void clearReceived() { m_received.clear(); }
  const std::string& received() const { return m_received; }

  platform::VirtualLoop& loop() { return m_loop; }
  platform::serial::VirtualSerialLink& link() { return m_link; }
  sim::SimulatedAnalyzer& analyzer() { return m_analyzer; }

 private:
  platform::VirtualLoop m_loop;
  platform::LoopOverride m_override;
  platform::serial::VirtualSerialLink m_link;
  sim::SimulatedAnalyzer m_analyzer;
  std::shared_ptr<platform::serial::SerialPort> m_host;
  std::string m_received;
};
