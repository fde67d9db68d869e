#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "GuideFakes.h"
#include "host/HostTestRun.h"
#include "host_api/HostServices.h"
#include "platform/VirtualLoop.h"
#include "platform/forms/ScriptedScreen.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/IPlugInReference.h"
#include "support/InstalledHost.h"

namespace guide_test {

using namespace std::chrono_literals;
using vti::ETrxPowerConfiguration;
using vti::ETrxTestCode;

// The installed host, a virtual event loop with a scripted operator, a host test run, and a
// journal of every test run.
class GuideTest : public InstalledHost {
 protected:
  void SetUp() override {
    InstalledHost::SetUp();
    m_screen.emplace();
    m_useScreen.emplace(*m_screen);
    testRun.emplace(host_api::hostServices().classes.newStandards());
  }
  void TearDown() override {
    m_guides.reset();
    m_useScreen.reset();
    m_screen.reset();
    InstalledHost::TearDown();
  }

  platform::forms::ScriptedScreen& screen() { return *m_screen; }
  // The scripted operator clicks `control` when form `form` shows.
  void answer(const std::string& form, const std::string& control) {
    screen().addRule({form, "", "", {{1s, platform::forms::ScriptAction::Click, control, ""}}});
  }
  // How often form `form` was shown.
  int shown(const std::string& form) const {
    int count = 0;
    for (const auto& entry : m_screen->journal()) count += entry.form == form ? 1 : 0;
    return count;
  }

  // A module named `name` with `leads` sockets from `firstLead`.
  static std::shared_ptr<plugin::CModule> module(const std::string& name, int32_t leads,
                                                 int32_t firstLead, int32_t classId) {
    auto m = std::make_shared<plugin::CModule>();
    m->ModuleInfo_get()->Add("Name", name, true);
    m->Leads_let(leads);
    m->FirstLead_let(firstLead);
    m->ClassID_let(classId);
    return m;
  }
  // A device's setup in `nomenclature` (classes are taken as they are given).
  static std::shared_ptr<plugin::CModuleSetup> device(
      const std::vector<std::shared_ptr<plugin::CModuleEntry>>& entries,
      int32_t nomenclature = plugin::CModuleSetup::NomenclatureIEC) {
    auto setup = std::make_shared<plugin::CModuleSetup>();
    setup->Nomenclature_let(nomenclature);
    for (const auto& entry : entries) setup->Add(entry);
    return setup;
  }
  // A group entry of the setup holding `members` (ids given by `setup`).
  static std::shared_ptr<plugin::CModuleGroup> addGroup(
      plugin::CModuleSetup& setup, const std::vector<std::shared_ptr<plugin::CModule>>& members,
      int32_t firstLead) {
    auto group = std::make_shared<plugin::CModuleGroup>();
    setup.Add(group);
    group->FirstLead_let(firstLead);
    for (const auto& member : members) group->Add(member, setup.NextModuleID());
    return group;
  }

  std::shared_ptr<FakeTest> test(int32_t testId, ETrxTestCode code,
                                 ETrxPowerConfiguration power = vti::epcOff,
                                 bool requireModules = false) {
    return std::make_shared<FakeTest>(testId, code, power, journal, requireModules);
  }
  // A test of the applied parts, which needs modules.
  std::shared_ptr<FakeTest> moduleTest(int32_t testId, ETrxTestCode code,
                                       ETrxPowerConfiguration power = vti::epcOff) {
    return test(testId, code, power, true);
  }
  static std::shared_ptr<FakeGroup> group(
      int32_t testId, const std::vector<std::shared_ptr<host_api::ITestElement>>& children) {
    auto made = std::make_shared<FakeGroup>(testId);
    for (const auto& child : children) adopt(made, child);
    return made;
  }

  // Opens a test guide over `modules` for the rest of the test.
  FakeGuide& openGuide(const std::shared_ptr<plugin::CModuleSetup>& modules) {
    auto guide = std::make_shared<FakeGuide>(modules);
    m_guides.emplace([guide](const auto&, auto*) { return guide; });
    plugin::MGlobalTestGuide::OpenTestGuide(nullptr, &*testRun);
    return *guide;
  }

  // An autorun setup of the host test run over `modules`, every module selected.
  std::unique_ptr<plugin::CAutoRunSetup> autorun(
      const std::shared_ptr<plugin::CModuleSetup>& modules) {
    auto cas = std::make_unique<plugin::CAutoRunSetup>();
    cas->Initialize(&*testRun, nullptr);
    cas->Modules_set(modules);
    cas->SelectAllModules();
    return cas;
  }

  platform::VirtualLoop loop;
  platform::LoopOverride useLoop{loop};
  plugin::PlugInReferenceOverride noPlugIn{nullptr};
  std::shared_ptr<Journal> journal = std::make_shared<Journal>();
  std::optional<host::HostTestRun> testRun;

 private:
  std::optional<platform::forms::ScriptedScreen> m_screen;
  std::optional<platform::forms::ScreenOverride> m_useScreen;
  std::optional<plugin::MGlobalTestGuide::GuideFactoryOverride> m_guides;
};

}  // namespace guide_test
