#include "apps/orvel/AnalyzerTarget.h"

#include "apps/trxctl/PortDiagnosis.h"
#include "platform/PollLoop.h"
#include "platform/VirtualLoop.h"
#include "platform/serial/VirtualSerialLink.h"
#include "sim/Scenario.h"
#include "sim/SimulatedAnalyzer.h"

namespace orvel {

namespace {

// The host's instrument registry as it stands, except that the analyzer is on `port`.
class RoutedRegistry : public host_api::IInstrumentRegistry {
 public:
  RoutedRegistry(std::shared_ptr<host_api::IInstrumentRegistry> inner, int32_t port)
      : m_inner(std::move(inner)), m_port(port) {}
  int32_t AssignedPort(const std::string& model) override {
    if (model == "TRX440") return m_port;
    return m_inner ? m_inner->AssignedPort(model) : 0;
  }
  // A run never changes the settings: an assignment is kept for the run only.
  void AssignPort(const std::string& model, int32_t port) override {
    if (model == "TRX440") m_port = port;
  }

 private:
  std::shared_ptr<host_api::IInstrumentRegistry> m_inner;
  int32_t m_port;
};

int32_t assignedPort() {
  auto& services = host_api::hostServices();
  if (!services.newInstrumentRegistry) return 0;
  auto registry = services.newInstrumentRegistry();
  return registry ? registry->AssignedPort("TRX440") : 0;
}

}  // namespace

AnalyzerTarget::AnalyzerTarget() : m_start(platform::loop().now()) {}

AnalyzerTarget::~AnalyzerTarget() {
  m_ports.reset();
  m_services.reset();
  if (m_analyzer) m_analyzer->detach();
  m_analyzer.reset();
  m_link.reset();
  m_useLoop.reset();
}

void AnalyzerTarget::routeTo(int32_t port) {
  m_port = port;
  auto services = std::make_shared<host_api::HostServices>(host_api::hostServices());
  auto inner = services->newInstrumentRegistry;
  services->newInstrumentRegistry = [inner, port] {
    return std::make_shared<RoutedRegistry>(inner ? inner() : nullptr, port);
  };
  m_services.emplace(std::move(services));
}

void AnalyzerTarget::routeToPort(Opener open) {
  routeTo(kRoutedPort);
  m_ports.emplace(vti::MPortTable::PortFactory(
      [open = std::move(open)](int32_t port) { return port == kRoutedPort ? open() : nullptr; }));
}

std::unique_ptr<AnalyzerTarget> AnalyzerTarget::assigned() {
  std::unique_ptr<AnalyzerTarget> target(new AnalyzerTarget());
  target->m_port = assignedPort();
  return target;
}

std::unique_ptr<AnalyzerTarget> AnalyzerTarget::port(const std::string& portOrPath) {
  std::unique_ptr<AnalyzerTarget> target(new AnalyzerTarget());
  if (auto number = vti::MPortTable::PortNumber(portOrPath)) {
    target->routeTo(*number);
  } else {
    target->m_path = portOrPath;
    target->routeToPort([portOrPath] { return vti::MPortTable::CreatePort(portOrPath); });
  }
  return target;
}

std::unique_ptr<AnalyzerTarget> AnalyzerTarget::simulated(const std::string& scenario,
                                                          bool realTime) {
  std::unique_ptr<AnalyzerTarget> target(new AnalyzerTarget());
  // The loop comes first: the link and the analyzer keep their timers on it.
  if (realTime) {
    target->m_poll = std::make_unique<platform::PollLoop>();
    target->m_useLoop.emplace(*target->m_poll);
  } else {
    target->m_virtual = std::make_unique<platform::VirtualLoop>();
    target->m_useLoop.emplace(*target->m_virtual);
  }
  target->m_start = platform::loop().now();
  target->m_link = std::make_unique<platform::serial::VirtualSerialLink>();
  target->m_analyzer = std::make_unique<sim::SimulatedAnalyzer>(sim::Scenario::load(scenario));
  target->m_analyzer->attach(*target->m_link);
  auto* link = target->m_link.get();
  target->routeToPort([link] { return link->hostEnd(); });
  return target;
}

std::string AnalyzerTarget::describe() const {
  if (m_analyzer) return "the simulated analyzer";
  if (!m_path.empty()) return m_path;
  return m_port > 0 ? "COM" + std::to_string(m_port) : std::string();
}

std::optional<std::string> AnalyzerTarget::problem() const {
  if (m_analyzer) return std::nullopt;
  if (m_port <= 0) {
    return std::string(
        "no port is assigned to the analyzer: give --port, or assign one as Port under "
        "[HKLM\\Software\\Tavik\\orvel\\Instruments\\TRX440] in the settings file");
  }
  const std::string port = m_path.empty() ? std::to_string(m_port) : m_path;
  if (trxctl::PortDiagnosis::opens(port)) return std::nullopt;
  return describe() + ": " + trxctl::PortDiagnosis().explain(port);
}

platform::Milliseconds AnalyzerTarget::elapsed() const {
  return std::chrono::duration_cast<platform::Milliseconds>(platform::loop().now() - m_start);
}

}  // namespace orvel
