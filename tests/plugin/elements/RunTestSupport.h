#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ElementsTestSupport.h"
#include "driver/CTrxVti.h"
#include "driver/MPortTable.h"
#include "host/HostTestRun.h"
#include "host_api/ILimit.h"
#include "host_api/ILimitStandard.h"
#include "host_api/IStandards.h"
#include "platform/VirtualLoop.h"
#include "platform/forms/AnswersFile.h"
#include "platform/forms/Form.h"
#include "platform/forms/ScriptedScreen.h"
#include "platform/serial/VirtualSerialLink.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/MModuleLine.h"
#include "sim/SimulatedAnalyzer.h"

namespace elements_test {

// A scripted operator whose answers to one form may change from one showing to the next: each
// showing of a form with queued answers takes the next of them (answers-file steps such as
// "click chkKeepResults, click cmdRepeat"); every other form follows the default rules.
class SequencedScreen : public platform::forms::Screen {
 public:
  void answer(const std::string& rules) { add(m_default, rules); }
  void queue(const std::string& form, const std::string& steps) {
    auto screen = std::make_unique<platform::forms::ScriptedScreen>();
    add(*screen, form + ": " + steps);
    m_queued[form].push_back(std::move(screen));
  }
  void formShown(platform::forms::Form& form) override {
    shown.push_back(form.name());
    auto& queued = m_queued[form.name()];
    platform::forms::ScriptedScreen* target = &m_default;
    if (!queued.empty()) {
      m_used.push_back(std::move(queued.front()));
      queued.pop_front();
      target = m_used.back().get();
    }
    m_showing[&form] = target;
    target->formShown(form);
  }
  void formHidden(platform::forms::Form& form) override { of(form).formHidden(form); }
  void formChanged(platform::forms::Form& form) override { of(form).formChanged(form); }
  long count(const std::string& form) const { return std::count(shown.begin(), shown.end(), form); }

  std::vector<std::string> shown;

 private:
  static void add(platform::forms::ScriptedScreen& screen, const std::string& rules) {
    std::istringstream in(rules);
    for (auto& rule : platform::forms::AnswersFile::parse(in, "test")) screen.addRule(rule);
  }
  platform::forms::ScriptedScreen& of(platform::forms::Form& form) {
    auto found = m_showing.find(&form);
    return found == m_showing.end() ? m_default : *found->second;
  }

  platform::forms::ScriptedScreen m_default;
  std::map<std::string, std::deque<std::unique_ptr<platform::forms::ScriptedScreen>>> m_queued;
  std::vector<std::unique_ptr<platform::forms::ScriptedScreen>> m_used;
  std::map<platform::forms::Form*, platform::forms::ScriptedScreen*> m_showing;
};

// The test guide as the elements see it, without a window: it notes what it is told and answers
// Perform as the test says (by default it runs nothing and goes on to the next element).
class FakeGuide : public plugin::ITestGuide {
 public:
  using PerformAnswer = std::function<int32_t(const std::shared_ptr<host_api::ITestElement>&)>;

  int32_t Perform(const std::shared_ptr<host_api::ITestElement>& element) override {
    performed.push_back(element->TestID_get());
    return onPerform ? onPerform(element) : plugin::GuideResult::Next;
  }
  void AddResult(const std::shared_ptr<host_api::ITestElement>& element) override {
    added.push_back(element->TestID_get());
  }
  void ShowResults(const std::shared_ptr<host_api::ITestElement>& element) override {
    shownResults.push_back(element->TestID_get());
  }
  void HighlightTestElement(const std::shared_ptr<host_api::ITestElement>&) override {
    ++highlights;
  }
  std::shared_ptr<plugin::CModuleSetup> ModuleSetupData_get() const override { return modules; }
  std::shared_ptr<plugin::CModuleSetup> ResultModuleSetupData_get() const override {
    return modules;
  }
  bool ResetTheLeadValue_get() const override { return resetLeads; }
  void ResetTheLeadValue_let(bool value) override { resetLeads = value; }
  platform::forms::Form* GuideForm() override { return nullptr; }

  PerformAnswer onPerform;
  std::shared_ptr<plugin::CModuleSetup> modules;
  bool resetLeads = false;
  std::vector<int32_t> performed, added, shownResults;
  int highlights = 0;
};

// Elements run against the simulated analyzer on port 1 on virtual time, through a driver
// connection in the plug-in's slot, with a fake guide open and a scripted operator.
class RunTest : public ElementsTest {
 protected:
  static constexpr int32_t kPort = 1;

  void SetUp() override {
    ElementsTest::SetUp();
    m_screenOverride.emplace(screen);
    m_guideFactory.emplace([this](const auto&, host_api::ITestRun*) { return guide; });
    screen.answer("FWaitOnPC: wait");
    selected = host_api::hostServices().classes.newStandards();
    run = std::make_unique<host::HostTestRun>(selected);
    m_driver.emplace(nullptr);
  }
  void TearDown() override {
    m_guideFactory.reset();
    m_driver.reset();
    vti.reset();
    if (analyzer) analyzer->detach();
    m_screenOverride.reset();
    ElementsTest::TearDown();
  }

  // Connects the plug-in's driver slot to an analyzer playing `scenario`, and opens the guide
  // as a run does before its tests.
  void connect(sim::Scenario scenario = sim::Scenario::load("healthy")) {
    if (analyzer) {
      m_driver.reset();
      vti.reset();
      analyzer->detach();
    }
    analyzer = std::make_unique<sim::SimulatedAnalyzer>(std::move(scenario));
    analyzer->attach(link);
    vti = std::make_shared<vti::CTrxVti>();
    vti->InitRemote(kPort);
    m_driver.reset();
    m_driver.emplace(vti);
  }
  static sim::Scenario withFaults(const std::vector<std::pair<std::string, std::string>>& faults) {
    sim::Scenario scenario = sim::Scenario::load("healthy");
    for (const auto& [selector, fault] : faults) scenario.faults.add(selector, fault);
    return scenario;
  }
  void openGuide() { plugin::MGlobalTestGuide::OpenTestGuide(nullptr, run.get()); }

  // The device's modules: one entry per (class, leads), on consecutive sockets from RA.
  std::shared_ptr<plugin::CModuleSetup> device(
      const std::vector<std::pair<std::string, int32_t>>& modules) {
    auto setup = std::make_shared<plugin::CModuleSetup>();
    std::string line;
    int32_t socket = 1;
    for (const auto& [cls, leads] : modules) {
      line += (line.empty() ? "" : ",") + cls + std::to_string(socket) + ":" + cls + ":" +
              std::to_string(leads);
      socket += leads;
    }
    plugin::MModuleLine::Apply(*setup, plugin::MModuleLine::Parse(line, 0).items);
    guide->modules = setup;
    return setup;
  }

  // An autorun setup of the run over `modules` with every module selected.
  std::unique_ptr<plugin::CAutoRunSetup> autorun(
      const std::shared_ptr<plugin::CModuleSetup>& modules = nullptr) {
    auto setup = std::make_unique<plugin::CAutoRunSetup>();
    setup->Initialize(run.get(), nullptr);
    setup->Modules_set(modules);
    setup->UpdateModuleSelection(modules ? modules : std::make_shared<plugin::CModuleSetup>());
    return setup;
  }

  // Limits of standard 1 on `element` with the high limit `high` for `key`, and standard 1
  // selected for the run.
  void limit(host_api::ITestElement& element, const std::string& key, float high) {
    auto& classes = host_api::hostServices().classes;
    auto standard = element.Limits_get()->CreateStandard(1, "I");
    auto limits = standard->Limits_get();
    bool found = false;
    for (int32_t i = 1; i <= limits->Count(); ++i) {
      if (limits->Item(i)->Key_get() != key) continue;
      limits->Item(i)->High_let(high);
      found = true;
    }
    EXPECT_TRUE(found) << key << " is not a key of test " << element.TestID_get();
    if (selected->Count() == 0) {
      auto wanted = classes.newLimitStandard();
      wanted->Initialize(1, "I", 0);
      selected->Add(wanted);
    }
  }

  std::vector<std::string> keysOf(const host_api::ITestElement& element) const {
    std::vector<std::string> keys;
    auto result = element.Result_get();
    for (int32_t i = 1; result && i <= result->MeasurementCount_get(); ++i) {
      keys.push_back(result->Measurement_get(platform::Variant(i))->Key_get());
    }
    return keys;
  }
  long commandCount(const std::string& command) const {
    auto all = analyzer->transcript().commands();
    return std::count(all.begin(), all.end(), command);
  }

  platform::VirtualLoop loop;
  platform::LoopOverride loopOverride{loop};
  SequencedScreen screen;
  platform::serial::VirtualSerialLink link;
  std::unique_ptr<sim::SimulatedAnalyzer> analyzer;
  vti::MPortTable::PortFactoryOverride usePort{
      [this](int32_t port) { return port == kPort ? link.hostEnd() : nullptr; }};
  std::shared_ptr<vti::CTrxVti> vti;
  std::shared_ptr<FakeGuide> guide = std::make_shared<FakeGuide>();
  std::shared_ptr<host_api::IStandards> selected;
  std::unique_ptr<host::HostTestRun> run;

 private:
  std::optional<platform::forms::ScreenOverride> m_screenOverride;
  std::optional<plugin::MGlobalVTI::DriverOverride> m_driver;
  std::optional<plugin::MGlobalTestGuide::GuideFactoryOverride> m_guideFactory;
};

}  // namespace elements_test
