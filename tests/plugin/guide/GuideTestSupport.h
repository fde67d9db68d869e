#pragma once

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver/MPortTable.h"
#include "host/HostErrorService.h"
#include "host/HostTestRun.h"
#include "host_api/HostServices.h"
#include "platform/VirtualLoop.h"
#include "platform/forms/AnswersFile.h"
#include "platform/forms/ScriptedScreen.h"
#include "platform/serial/VirtualSerialLink.h"
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
#include "sim/SimulatedAnalyzer.h"
#include "support/InertHostObjects.h"
#include "support/TestHost.h"

namespace guide_test {

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

// The guide's world: virtual time, the host, a scripted operator, and a simulated analyzer on
// port 1 that the guide's own connection reaches.
class GuideBench {
 public:
  static constexpr int32_t kPort = 1;

  GuideBench() : m_analyzer(sim::Scenario::load("healthy")) {
    m_analyzer.attach(m_link);
    m_host.services().newInstrumentRegistry()->AssignPort("TRX440", kPort);
    // The plug-in raises its own errors (the stop of a run among them) through the host.
    m_host.services().errors =
        std::make_shared<host::HostErrorService>(m_host.services().application);
  }
  ~GuideBench() { m_analyzer.detach(); }

  // Operator answers in the answers-file format, one rule a line.
  void answer(const std::string& rules) {
    std::istringstream in(rules);
    for (auto& rule : platform::forms::AnswersFile::parse(in, "test")) m_screen.addRule(rule);
  }

  host::HostTestRun& run() { return m_run; }
  platform::forms::ScriptedScreen& screen() { return m_screen; }
  const platform::forms::ScriptedScreen& screen() const { return m_screen; }
  sim::SimulatedAnalyzer& analyzer() { return m_analyzer; }
  platform::serial::VirtualSerialLink& link() { return m_link; }
  testing_host::TestHost& host() { return m_host; }

  std::vector<std::string> formsShown() const {
    std::vector<std::string> names;
    for (const auto& entry : m_screen.journal()) names.push_back(entry.form);
    return names;
  }
  // The texts of every message box shown, in order.
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const auto& entry : m_screen.journal()) {
      if (entry.form != "MessageBox") continue;
      for (const auto& text : entry.texts) {
        if (text.rfind("lblMessage: ", 0) == 0) texts.push_back(text.substr(12));
      }
    }
    return texts;
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
  host::HostTestRun m_run{host_api::hostServices().classes.newStandards()};
  // No connection before the test, and none left after it.
  plugin::MGlobalVTI::DriverOverride m_noDriver;
};

}  // namespace guide_test
