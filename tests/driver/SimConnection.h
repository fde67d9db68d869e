#pragma once

#include <memory>
#include <string>

#include "driver/CTrxVti.h"
#include "support/SimAnalyzer.h"

// A connection to a simulated analyzer on port 1 over an in-process cable, on virtual time,
// with a scripted operator. The analyzer's transcript is what the tests assert on.
class SimConnection : public SimAnalyzer {
 public:
  explicit SimConnection(sim::Scenario scenario) : SimAnalyzer(std::move(scenario)) {
    m_vti = std::make_unique<vti::CTrxVti>();
  }
  explicit SimConnection(const std::string& scenarioName = "healthy")
      : SimConnection(sim::Scenario::load(scenarioName)) {}

  // The connection goes before the analyzer it talks to.
  ~SimConnection() { m_vti.reset(); }

  vti::CTrxVti& vti() { return *m_vti; }

 private:
  std::unique_ptr<vti::CTrxVti> m_vti;
};
