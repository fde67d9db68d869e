#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "driver/MPortTable.h"
#include "host_api/HostServices.h"
#include "platform/EventLoop.h"

namespace platform {
class PollLoop;
class VirtualLoop;
}  // namespace platform
namespace platform::serial {
class VirtualSerialLink;
}
namespace sim {
class SimulatedAnalyzer;
}

namespace orvel {

// Where a run's analyzer is, for as long as this lives: the port the host settings assign to
// the analyzer (nothing changes), a port the operator named (a number of the port table or a
// device path), or the simulated analyzer in this process over an in-process cable, on virtual
// time (a whole test in moments) or paced like the instrument.
//
// The plug-in connects as it always does, asking the host's instrument registry for the
// analyzer's port; this object answers that question for the run alone, so the settings file is
// never changed by a run.
class AnalyzerTarget {
 public:
  // The port number that routes to a device path or to the simulator: COM1..COM64 are the port
  // table's, so a number above them can never name a real entry.
  static constexpr int32_t kRoutedPort = 901;

  // The port of the host settings.
  static std::unique_ptr<AnalyzerTarget> assigned();
  // A port number ("3", "COM3") or a device path ("/dev/ttyUSB0", the path trxsim prints).
  static std::unique_ptr<AnalyzerTarget> port(const std::string& portOrPath);
  // The simulator with a shipped scenario or a scenario file; throws when it cannot be read.
  static std::unique_ptr<AnalyzerTarget> simulated(const std::string& scenario, bool realTime);

  ~AnalyzerTarget();
  AnalyzerTarget(const AnalyzerTarget&) = delete;
  AnalyzerTarget& operator=(const AnalyzerTarget&) = delete;

  // The port the plug-in will open, as a person reads it ("COM3", "/dev/pts/4", "simulator");
  // empty when the host settings assign none.
  std::string describe() const;
  // Why the port cannot give a connection (it does not exist, is no serial device, is held by
  // another program); nothing when it opens. Nothing is sent on it.
  std::optional<std::string> problem() const;

  // The simulated analyzer; null for a real port.
  sim::SimulatedAnalyzer* analyzer() const { return m_analyzer.get(); }
  // How long the run took on the loop's clock since this was made (virtual time on a virtual
  // loop).
  platform::Milliseconds elapsed() const;

 private:
  AnalyzerTarget();
  void routeTo(int32_t port);
  using Opener = std::function<std::shared_ptr<platform::serial::SerialPort>()>;
  // The analyzer is on the port `open` makes, under the routed port number.
  void routeToPort(Opener open);

  int32_t m_port = 0;
  std::string m_path;  // a device path given directly
  std::unique_ptr<platform::VirtualLoop> m_virtual;
  std::unique_ptr<platform::PollLoop> m_poll;
  std::optional<platform::LoopOverride> m_useLoop;
  std::unique_ptr<platform::serial::VirtualSerialLink> m_link;
  std::unique_ptr<sim::SimulatedAnalyzer> m_analyzer;
  std::optional<host_api::HostServicesOverride> m_services;
  std::optional<vti::MPortTable::PortFactoryOverride> m_ports;
  platform::TimePoint m_start;
};

}  // namespace orvel
