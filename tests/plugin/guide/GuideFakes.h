#pragma once

// Stand-ins for what an autorun walks: plug-in tests that record every run with the leads the
// autorun chose, groups that hold them, an element of another plug-in, and a test guide.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "driver/CTrxSafetyTest.h"
#include "driver/TrxTypes.h"
#include "host_api/ITestContainer.h"
#include "host_api/ITestRun.h"
#include "platform/forms/Form.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/modules/CModuleSetup.h"
#include "support/InertHostObjects.h"

namespace guide_test {

// What one RunTest saw of the autorun setup.
struct Run {
  int32_t testId = 0;
  std::string appliedParts;
  int32_t leadNo = 0;
  int32_t combineResults = 0;
  int32_t moduleNumber = 0;
  std::vector<int32_t> selectedIds;
};

struct Journal {
  std::vector<Run> runs;

  std::vector<std::string> parts() const {
    std::vector<std::string> all;
    for (const auto& run : runs) all.push_back(run.appliedParts);
    return all;
  }
  std::vector<int32_t> tests() const {
    std::vector<int32_t> all;
    for (const auto& run : runs) all.push_back(run.testId);
    return all;
  }
  std::vector<int32_t> leads() const {
    std::vector<int32_t> all;
    for (const auto& run : runs) all.push_back(run.leadNo);
    return all;
  }
};

// What both kinds of plug-in element share: identity, parent, configuration, result, flags.
class FakeElement : public testing_host::InertTestElement, public plugin::IAutoTest {
 public:
  explicit FakeElement(int32_t testId) : m_testId(testId) {}

  int32_t TestID_get() const override { return m_testId; }
  std::shared_ptr<host_api::ITestElement> Parent_get() const override { return m_parent.lock(); }
  void Parent_set(const std::shared_ptr<host_api::ITestElement>& parent) override {
    m_parent = parent;
  }
  std::shared_ptr<host_api::IConfigData> Configuration_get() const override {
    return configuration;
  }
  std::shared_ptr<host_api::IResultData> Result_get() const override { return result; }

  bool RequireModules_get() const override { return m_requireModules; }
  void RequireModules_let(bool value) override { m_requireModules = value; }
  bool HasDCLimits_get() const override { return false; }
  void HasDCLimits_let(bool) override {}
  bool HasTotalLimits_get() const override { return false; }
  void HasTotalLimits_let(bool) override {}
  bool RequireLeadUsage_get() const override { return false; }
  void RequireLeadUsage_let(bool) override {}
  std::string Unit_get() const override { return {}; }
  void Unit_let(const std::string&) override {}
  void ResetResult(int32_t option) override { resets.push_back(option); }
  void Initialize(int32_t, int32_t, const std::shared_ptr<host_api::IConfigData>&) override {}
  void ResetLimits() override {}
  using testing_host::InertTestElement::Initialize;

  std::shared_ptr<host_api::IConfigData> configuration;
  std::shared_ptr<host_api::IResultData> result;
  std::vector<int32_t> resets;

 private:
  int32_t m_testId;
  std::weak_ptr<host_api::ITestElement> m_parent;
  bool m_requireModules = false;
};

// A plug-in test with its driver test; every RunTest is written to the journal.
class FakeTest : public FakeElement {
 public:
  FakeTest(int32_t testId, vti::ETrxTestCode code, vti::ETrxPowerConfiguration power,
           std::shared_ptr<Journal> journal, bool requireModules)
      : FakeElement(testId), m_journal(std::move(journal)) {
    m_test->Initialize(code, power);
    RequireModules_let(requireModules);
  }

  bool IsGroup_get() const override { return false; }
  int32_t ChildCount_get() const override { return 0; }
  std::shared_ptr<vti::CTrxSafetyTest> SafetyTest_get() const override { return m_test; }
  int32_t RunTest(plugin::CAutoRunSetup& setup) override {
    Run run{TestID_get(),
            setup.AppliedParts_get(),
            setup.LeadNo_get(),
            setup.CombineResults_get(),
            setup.ModuleNumber_get(),
            {}};
    if (auto selected = setup.SelectedModules_get()) {
      for (const auto& entry : selected->NewEnum())
        run.selectedIds.push_back(entry->ModuleID_get());
    }
    m_journal->runs.push_back(run);
    if (onRun) onRun(setup);
    return 0;
  }

  // Runs after the reading is journalled: to stop the run, fail, or look at the setup.
  std::function<void(plugin::CAutoRunSetup&)> onRun;

 private:
  std::shared_ptr<vti::CTrxSafetyTest> m_test = std::make_shared<vti::CTrxSafetyTest>();
  std::shared_ptr<Journal> m_journal;
};

// A plug-in group with a group configuration (neither optimized nor module by module unless a
// test says so) that holds its children.
class FakeGroup : public FakeElement, public host_api::ITestContainer {
 public:
  explicit FakeGroup(int32_t testId) : FakeElement(testId) {
    auto own = std::make_shared<plugin::CConfigTestGroup>();
    own->Test_get()->Optimized_let(false);
    configuration = own;
  }

  plugin::CConfigTestGroup& config() const {
    return dynamic_cast<plugin::CConfigTestGroup&>(*configuration);
  }

  bool IsGroup_get() const override { return true; }
  int32_t ChildCount_get() const override { return static_cast<int32_t>(m_children.size()); }
  std::shared_ptr<vti::CTrxSafetyTest> SafetyTest_get() const override { return nullptr; }
  int32_t RunTest(plugin::CAutoRunSetup&) override { return 0; }

  int32_t Count() const override { return ChildCount_get(); }
  std::shared_ptr<host_api::ITestElement> Item(int32_t index) const override {
    if (index < 1 || index > Count()) return nullptr;
    return m_children[static_cast<size_t>(index - 1)];
  }
  void Add(const std::shared_ptr<host_api::ITestElement>& child,
           const std::shared_ptr<host_api::ITestElement>&, int32_t) override {
    m_children.push_back(child);
  }
  std::shared_ptr<host_api::ITestElement> FindElement(int32_t) const override { return nullptr; }
  void Remove(const std::shared_ptr<host_api::ITestElement>&) override {}
  std::vector<std::shared_ptr<host_api::ITestElement>> NewEnum() const override {
    return m_children;
  }

 private:
  std::vector<std::shared_ptr<host_api::ITestElement>> m_children;
};

// Puts `child` into `group` as its last child.
inline void adopt(const std::shared_ptr<FakeGroup>& group,
                  const std::shared_ptr<host_api::ITestElement>& child) {
  group->Add(child, nullptr, host_api::InsertRelation::Last);
  child->Parent_set(group);
}

// An element of another plug-in: the host performs it, and it leaves the run's status as told.
class ForeignElement : public testing_host::InertTestElement {
 public:
  std::string PlugInID_get() const override { return "OTHER"; }
  void Perform(host_api::ITestRun& testRun) override {
    ++performed;
    if (onPerform) onPerform();
    testRun.Status_let(statusAfter);
  }

  int32_t performed = 0;
  int32_t statusAfter = 1;
  std::function<void()> onPerform;
};

// The open test guide as the autorun sees it: the device's modules, the results it is shown,
// and its window.
class FakeGuide : public plugin::ITestGuide {
 public:
  explicit FakeGuide(std::shared_ptr<plugin::CModuleSetup> modules)
      : m_modules(std::move(modules)) {}

  int32_t Perform(const std::shared_ptr<host_api::ITestElement>&) override { return 0; }
  void AddResult(const std::shared_ptr<host_api::ITestElement>& ite) override {
    added.push_back(ite.get());
  }
  void ShowResults(const std::shared_ptr<host_api::ITestElement>&) override {}
  void HighlightTestElement(const std::shared_ptr<host_api::ITestElement>&) override {}
  std::shared_ptr<plugin::CModuleSetup> ModuleSetupData_get() const override { return m_modules; }
  std::shared_ptr<plugin::CModuleSetup> ResultModuleSetupData_get() const override {
    return m_modules;
  }
  bool ResetTheLeadValue_get() const override { return false; }
  void ResetTheLeadValue_let(bool) override {}
  platform::forms::Form* GuideForm() override { return form.get(); }

  std::vector<const host_api::ITestElement*> added;
  std::unique_ptr<platform::forms::Form> form;

 private:
  std::shared_ptr<plugin::CModuleSetup> m_modules;
};

}  // namespace guide_test
