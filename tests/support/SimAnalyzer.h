#pragma once

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "driver/MPortTable.h"
#include "host/HostInstrumentRegistry.h"
#include "platform/VirtualLoop.h"
#include "platform/forms/AnswersFile.h"
#include "platform/forms/ScriptedScreen.h"
#include "platform/serial/VirtualSerialLink.h"
#include "sim/SimulatedAnalyzer.h"
#include "support/TestHost.h"

// A simulated analyzer on port 1 behind an in-process cable, on virtual time, with a scripted
// operator and fake host services. Whoever connects to port 1 reaches it. The analyzer's
// transcript and end state are what tests assert on. Link the user with orvel_sim and the
// driver library.
class SimAnalyzer {
 public:
  static constexpr int32_t kPort = 1;

  explicit SimAnalyzer(sim::Scenario scenario) : m_analyzer(std::move(scenario)) {
    m_analyzer.attach(m_link);
  }
  explicit SimAnalyzer(const std::string& scenarioName = "healthy")
      : SimAnalyzer(sim::Scenario::load(scenarioName)) {}
  // Adds faults to a shipped scenario: "READ #1 = !22" lines.
  static sim::Scenario withFaults(const std::string& scenarioName,
                                  const std::vector<std::pair<std::string, std::string>>& faults) {
    sim::Scenario scenario = sim::Scenario::load(scenarioName);
    for (const auto& [selector, fault] : faults) scenario.faults.add(selector, fault);
    return scenario;
  }

  ~SimAnalyzer() { m_analyzer.detach(); }
  SimAnalyzer(const SimAnalyzer&) = delete;
  SimAnalyzer& operator=(const SimAnalyzer&) = delete;

  // Assigns the analyzer's port to the model in the host, as a technician does once.
  void assignPort() {
    m_host.registry().set(std::string(host::HostInstrumentRegistry::kInstrumentsKey) + "\\TRX440",
                          "Port", std::to_string(kPort));
  }

  // Operator answers in the answers-file format, one rule a line.
  void answer(const std::string& rules) {
    std::istringstream in(rules);
    for (auto& rule : platform::forms::AnswersFile::parse(in, "test")) m_screen.addRule(rule);
  }

  sim::SimulatedAnalyzer& analyzer() { return m_analyzer; }
  platform::serial::VirtualSerialLink& link() { return m_link; }
  platform::VirtualLoop& loop() { return m_loop; }
  platform::forms::ScriptedScreen& screen() { return m_screen; }
  testing_host::TestHost& host() { return m_host; }

  std::vector<std::string> commands() const { return m_analyzer.transcript().commands(); }
  // The commands sent from the `from`-th on.
  std::vector<std::string> commandsSince(size_t from) const {
    auto all = commands();
    return {all.begin() + static_cast<long>(std::min(from, all.size())), all.end()};
  }
  // How often the analyzer received `command`.
  long count(const std::string& command) const {
    auto all = commands();
    return std::count(all.begin(), all.end(), command);
  }
  // Names of the forms the operator saw, in order.
  std::vector<std::string> formsShown() const {
    std::vector<std::string> names;
    for (const auto& entry : m_screen.journal()) names.push_back(entry.form);
    return names;
  }
  // When the analyzer received the first `command` (milliseconds of its transcript), -1 when
  // it never did.
  double receivedAt(const std::string& command) const {
    for (const auto& entry : m_analyzer.transcript().entries()) {
      if (entry.direction == "in" && entry.text == command + "\r\n") return entry.timeMs;
    }
    return -1;
  }
  // Whether the operator saw a text containing `part` on form `form`.
  bool saw(const std::string& form, const std::string& part) const {
    for (const auto& entry : m_screen.journal()) {
      if (entry.form != form) continue;
      for (const auto& text : entry.texts) {
        if (text.find(part) != std::string::npos) return true;
      }
    }
    return false;
  }
  bool analyzerLocalAndOff() const {
    return !m_analyzer.model().isRemote() && m_analyzer.model().outletText() == "off";
  }

 private:
  platform::VirtualLoop m_loop;
  platform::LoopOverride m_override{m_loop};
  testing_host::TestHost m_host;
  platform::forms::ScriptedScreen m_screen;
  platform::forms::ScreenOverride m_useScreen{m_screen};
  platform::serial::VirtualSerialLink m_link;
  sim::SimulatedAnalyzer m_analyzer;
  vti::MPortTable::PortFactoryOverride m_usePort{
      [this](int32_t port) { return port == kPort ? m_link.hostEnd() : nullptr; }};
};
