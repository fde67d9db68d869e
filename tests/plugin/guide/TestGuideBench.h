#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/HostErrorService.h"
#include "host/HostTestRun.h"
#include "host_api/HostServices.h"
#include "platform/forms/ScriptedScreen.h"
#include "plugin/config/CCfgButtonOptions.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/results/CMeasurement.h"
#include "plugin/results/CResultData.h"
#include "support/InertHostObjects.h"
#include "support/SimAnalyzer.h"

namespace guide_bench {

// A test of the plug-in as the guide and the autorun see it: a name, an id, a group
// configuration with module and button options, a result record, and a run whose behaviour
// the test gives (by default a reading that takes two seconds of loop time).
class FakeTest : public testing_host::InertTestElement, public plugin::IAutoTest {
 public:
  explicit FakeTest(int32_t testId = 1101, const std::string& name = "Earth leakage")
      : m_testId(testId),
        m_config(std::make_shared<plugin::CConfigTestGroup>()),
        m_result(std::make_shared<plugin::CResultData>()) {
    m_info = host_api::hostServices().classes.newTestInformation();
    m_info->Name_let(name);
  }

  // ITestElement
  int32_t TestID_get() const override { return m_testId; }
  std::shared_ptr<host_api::ITestInformation> Info_get() const override { return m_info; }
  std::shared_ptr<host_api::IResultData> Result_get() const override { return m_result; }
  std::shared_ptr<host_api::IConfigData> Configuration_get() const override { return m_config; }

  // IAutoTest
  bool IsGroup_get() const override { return false; }
  int32_t ChildCount_get() const override { return 0; }
  std::shared_ptr<vti::CTrxSafetyTest> SafetyTest_get() const override { return nullptr; }
  bool RequireModules_get() const override { return m_requireModules; }
  void RequireModules_let(bool value) override { m_requireModules = value; }
  bool HasDCLimits_get() const override { return false; }
  void HasDCLimits_let(bool) override {}
  bool HasTotalLimits_get() const override { return false; }
  void HasTotalLimits_let(bool) override {}
  bool RequireLeadUsage_get() const override { return false; }
  void RequireLeadUsage_let(bool) override {}
  std::string Unit_get() const override { return "uA"; }
  void Unit_let(const std::string&) override {}
  int32_t RunTest(plugin::CAutoRunSetup& setup) override {
    ++runs;
    if (onRun) return onRun(setup);
    platform::loop().processFor(std::chrono::seconds(2));
    return 0;
  }
  void ResetResult(int32_t) override {
    ++resets;
    if (onReset) onReset();
  }
  void Initialize(int32_t, int32_t, const std::shared_ptr<host_api::IConfigData>&) override {}
  void ResetLimits() override {}

  plugin::CConfigTestGroup& config() { return *m_config; }
  plugin::CResultData& result() { return *m_result; }

  // A reading in the result record, taken with `setup`.
  void holdResultTakenWith(const std::shared_ptr<plugin::CModuleSetup>& setup) {
    auto reading = std::make_shared<plugin::CMeasurement>();
    reading->Description_let("Earth leakage");
    reading->Value_let(platform::Variant(12.5));
    m_result->AddMeasurement(reading);
    m_result->ModuleSetup_set(setup);
  }

  std::function<int32_t(plugin::CAutoRunSetup&)> onRun;
  std::function<void()> onReset;
  int runs = 0;
  int resets = 0;

 private:
  int32_t m_testId;
  bool m_requireModules = true;
  std::shared_ptr<host_api::ITestInformation> m_info;
  std::shared_ptr<plugin::CConfigTestGroup> m_config;
  std::shared_ptr<plugin::CResultData> m_result;
};

// A module setup of named modules of one lead each, from socket 1 on.
inline std::shared_ptr<plugin::CModuleSetup> modules(const std::vector<std::string>& codes) {
  auto setup = std::make_shared<plugin::CModuleSetup>();
  int32_t socket = 1;
  for (const auto& code : codes) {
    auto module = std::make_shared<plugin::CModule>();
    // The name lives in the module's key field once the module belongs to a setup.
    module->ModuleInfo_get()->Add("Name", code, true);
    module->Code_let(code);
    module->ClassID_let(2);
    module->Leads_let(1);
    module->FirstLead_let(socket++);
    setup->Add(module);
  }
  return setup;
}

// The guide's world: the simulated analyzer on virtual time with a scripted operator (the port
// assigned, so the guide's own connection reaches it), the host's error service, a test run,
// and no driver connection before or after the test.
class GuideBench {
 public:
  GuideBench() {
    m_sim.assignPort();
    // The plug-in raises its own errors (the stop of a run among them) through the host.
    m_sim.host().services().errors =
        std::make_shared<host::HostErrorService>(m_sim.host().services().application);
  }

  void answer(const std::string& rules) { m_sim.answer(rules); }
  host::HostTestRun& run() { return m_run; }
  platform::forms::ScriptedScreen& screen() { return m_sim.screen(); }
  sim::SimulatedAnalyzer& analyzer() { return m_sim.analyzer(); }
  platform::serial::VirtualSerialLink& link() { return m_sim.link(); }
  std::vector<std::string> formsShown() const { return m_sim.formsShown(); }
  bool analyzerLocalAndOff() const { return m_sim.analyzerLocalAndOff(); }

  // The texts of every message box shown, in order.
  std::vector<std::string> messages() {
    std::vector<std::string> texts;
    for (const auto& entry : m_sim.screen().journal()) {
      if (entry.form != "MessageBox") continue;
      for (const auto& text : entry.texts) {
        if (text.rfind("lblMessage: ", 0) == 0) texts.push_back(text.substr(12));
      }
    }
    return texts;
  }

 private:
  SimAnalyzer m_sim;
  host::HostTestRun m_run{host_api::hostServices().classes.newStandards()};
  plugin::MGlobalVTI::DriverOverride m_noDriver;
};

}  // namespace guide_bench
