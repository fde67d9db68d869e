#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/HostErrorService.h"
#include "host_api/IConfigData.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "support/InertHostObjects.h"
#include "support/SimAnalyzer.h"

namespace instrument_test {

using HostData = std::vector<std::pair<std::string, std::string>>;

// An element of a template: a type id, a parent and a configuration.
class Element : public testing_host::InertTestElement {
 public:
  Element(int32_t testId, std::shared_ptr<host_api::IConfigData> configuration,
          std::shared_ptr<host_api::ITestElement> parent = nullptr)
      : m_testId(testId), m_configuration(std::move(configuration)), m_parent(std::move(parent)) {}

  int32_t TestID_get() const override { return m_testId; }
  std::shared_ptr<ITestElement> Parent_get() const override { return m_parent; }
  std::shared_ptr<host_api::IConfigData> Configuration_get() const override {
    return m_configuration;
  }

 private:
  int32_t m_testId;
  std::shared_ptr<host_api::IConfigData> m_configuration;
  std::shared_ptr<host_api::ITestElement> m_parent;
};

// The host's translation with host data for the elements it is given.
class HostDataApplication : public testing_host::FakeApplicationService {
 public:
  HostData ElementData(const platform::Object& element) const override {
    auto found = data.find(&element);
    return found == data.end() ? HostData{} : found->second;
  }
  std::map<const platform::Object*, HostData> data;
};

// The simulated analyzer with a host that keeps host data and raises errors as the real one
// does, and the driver slot empty for the test's lifetime. The slot is released before the
// analyzer goes, so a connection left open is closed against it.
class SimulatedBench {
 public:
  explicit SimulatedBench(sim::Scenario scenario = sim::Scenario::load("healthy"))
      : m_sim(std::move(scenario)) {
    auto& services = m_sim.host().services();
    services.application = m_application;
    services.errors = std::make_shared<host::HostErrorService>(m_application);
  }

  SimAnalyzer& sim() { return m_sim; }
  HostDataApplication& application() { return *m_application; }
  host::HostErrorService& errors() {
    return dynamic_cast<host::HostErrorService&>(*m_sim.host().services().errors);
  }

 private:
  SimAnalyzer m_sim;
  std::shared_ptr<HostDataApplication> m_application = std::make_shared<HostDataApplication>();
  plugin::MGlobalVTI::DriverOverride m_noDriver;
};

}  // namespace instrument_test
