#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host_api/IElementCore.h"
#include "host_api/ITestContainer.h"
#include "plugin/elements/CTestElement.h"

namespace plugin {

class ITestGuide;

// The test element that holds other elements of the plug-in (single tests, multi tests, nested
// groups) in order and gives them a common configuration (CConfigTestGroup). Its result is a
// group result rolled up from the children's. The children are kept by the host's container
// core, which asks each new child whether it belongs here (QuerySetParent).
//
// Both ITestElement and ITestContainer are platform::Objects: whoever needs the group as one
// object (a component factory) hands out its ITestElement side.
class CTestGroup : public CTestElement, public host_api::ITestContainer {
 public:
  static constexpr const char* ClassName = "CTestGroup";

  // A new group with a container core of the host's that knows the group as its owner.
  static std::shared_ptr<CTestGroup> Create();

  // ITestElement
  // A copy with copies of every child in order. While the plug-in entry clones from its
  // catalogue, the copy's configuration takes the installation's default nomenclature and
  // polarity switching delay; a template's group keeps its own.
  std::shared_ptr<host_api::ITestElement> Clone() const override;
  // The host's manual run of the group in the test guide (opened here when none is): the
  // operator runs the children, marks the group not performed, skips or aborts it (CGroupRun).
  // A group without children is not performed.
  void Perform(host_api::ITestRun& testRun) override;
  // A group may be placed anywhere.
  bool QuerySetParent(const host_api::ITestElement&) const override { return true; }
  std::vector<std::string> GetMeasurementList() const override { return {}; }

  // IAutoTest
  bool IsGroup_get() const override { return true; }
  int32_t ChildCount_get() const override;
  std::shared_ptr<vti::CTrxSafetyTest> SafetyTest_get() const override { return nullptr; }
  // A group is never run by the autorun itself, only its children are.
  int32_t RunTest(CAutoRunSetup&) override { return 0; }
  // Resets the group result, then every child's result in the same way.
  void ResetResult(int32_t option) override;
  // Resets the limits of every child; the group's own stay.
  void ResetLimits() override;

  // ITestContainer
  int32_t Count() const override;
  std::shared_ptr<host_api::ITestElement> Item(int32_t index) const override;
  // Places the child as `relation` says and becomes its parent. A child that does not accept
  // this group, or that holds it, is refused (ElementError::ChildRefused).
  void Add(const std::shared_ptr<host_api::ITestElement>& child,
           const std::shared_ptr<host_api::ITestElement>& relative, int32_t relation) override;
  std::shared_ptr<host_api::ITestElement> FindElement(int32_t testId) const override;
  // Removes the child, which then has no parent; nothing happens for an empty reference.
  void Remove(const std::shared_ptr<host_api::ITestElement>& child) override;
  std::vector<std::shared_ptr<host_api::ITestElement>> NewEnum() const override;

  // Adds a child at the end (the catalogue builds its groups this way).
  void Add(const std::shared_ptr<host_api::ITestElement>& child);

  // Removes the group's own result; the children keep theirs.
  void RemoveGroupResult();

  // When set, the next run tells the test guide to restart the lead sequences.
  bool ResetTheVariables_get() const { return m_resetTheVariables; }
  void ResetTheVariables_let(bool value) { m_resetTheVariables = value; }

 protected:
  const char* className() const override { return ClassName; }
  bool editableLimitsAtInitialize() const override { return true; }
  // A group result that sums up the children as the configuration's value filter says.
  std::shared_ptr<host_api::IResultData> newResult() const override;

 private:
  explicit CTestGroup(std::shared_ptr<host_api::IContainerCore> core);

  host_api::IContainerCore& children() const;
  void applyInstallationDefaults();
  // The group sequences of the complete test keep the module setup of the shown results.
  void keepModulesInOwner(ITestGuide& guide);
  template <typename Action>
  void forEachAutoTestChild(Action&& action) const;

  // The same object as the common element's core, seen as the container it is.
  std::weak_ptr<host_api::IContainerCore> m_children;
  bool m_resetTheVariables = false;
};

}  // namespace plugin
