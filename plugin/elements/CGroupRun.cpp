#include "plugin/elements/CGroupRun.h"

#include "driver/CTrxVti.h"
#include "host_api/IMeasurement.h"
#include "host_api/ITestRun.h"
#include "plugin/config/MModuleFilters.h"
#include "plugin/elements/CTestGroup.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/results/CResultTestGroup.h"

namespace plugin {

namespace {

// Run statuses of the children's walk.
constexpr int32_t StatusNext = 0;
constexpr int32_t StatusPrevious = 1;
constexpr int32_t StatusAborted = 2;

bool instrumentAborted() {
  auto driver = MGlobalVTI::Driver();
  return driver && driver->FlagAbort();
}

}  // namespace

CGroupRun::CGroupRun(CTestGroup& group, ITestGuide& guide, host_api::ITestRun& testRun)
    : m_group(group),
      m_self(std::dynamic_pointer_cast<host_api::ITestElement>(group.shared_from_this())),
      m_guide(guide),
      m_testRun(testRun) {}

void CGroupRun::Run() {
  // The guide is asked at least once: it is what sets the run's status for this group.
  do {
    m_testRun.Status_let(m_guide.Perform(m_self));
    settle(m_testRun.Status_get());
  } while (m_testRun.Status_get() == host_api::RunStatus::Repeat);
}

void CGroupRun::settle(int32_t status) {
  if (status == GuideResult::RunChildren) {
    runChildren();
    UpdateGroupResult(m_group, m_testRun);
    m_guide.AddResult(m_self);
    m_testRun.ElementPerformed(*m_self);
  } else if (status == GuideResult::NotPerformed) {
    m_group.ResetResult(CTestGroup::ResetNoVerdict);
    m_testRun.ElementPerformed(*m_self);
    m_guide.AddResult(m_self);
  } else if (status == GuideResult::Aborted) {
    // What the children measured before the abort stays theirs and goes into the template;
    // the group's roll-up shows the run as incomplete.
    UpdateGroupResult(m_group, m_testRun);
    m_testRun.ElementPerformed(*m_self);
    m_guide.ShowResults(m_self);
  } else if (status == GuideResult::Skipped) {
    m_group.ResetResult(CTestGroup::ResetRemove);
    m_guide.ShowResults(m_self);
  }
}

bool CGroupRun::applies(const std::shared_ptr<host_api::ITestElement>& child) const {
  auto modules = m_guide.ModuleSetupData_get();
  return MModuleFilters::HasFilteredModule(child, modules.get()) &&
         MModuleFilters::ModulesSuitTest(*child, modules.get());
}

void CGroupRun::runChildren() {
  int32_t index = 1;
  for (auto child = m_group.Item(index); child; child = m_group.Item(index)) {
    if (applies(child)) child->Perform(m_testRun);
    const int32_t status = m_testRun.Status_get();
    if (status == StatusPrevious) {
      if (index == 1) {
        // Back from the first child: the whole group runs again.
        m_testRun.Status_let(host_api::RunStatus::Repeat);
        return;
      }
      --index;
      continue;
    }
    if (status == StatusAborted) return;
    m_testRun.Status_let(StatusNext);
    ++index;
  }
}

void CGroupRun::UpdateGroupResult(CTestGroup& group, host_api::ITestRun& testRun) {
  for (const auto& child : group.NewEnum()) {
    if (auto nested = std::dynamic_pointer_cast<CTestGroup>(child)) {
      UpdateGroupResult(*nested, testRun);
    }
  }
  auto result = std::dynamic_pointer_cast<CResultTestGroup>(group.Result_get());
  if (!result) return;
  auto container = std::dynamic_pointer_cast<host_api::ITestContainer>(group.shared_from_this());
  auto standards = testRun.SelectedStandards_get();
  result->CollectMemberResults(container, standards.get(), instrumentAborted);
  const int32_t status = result->Status_get();
  const bool verdict =
      status == host_api::ResultStatus::Passed || status == host_api::ResultStatus::Failed;
  // Only the group's own result goes: removing it the usual way would take the children's
  // readings with it.
  if (!result->Summary_get() && !verdict) group.RemoveGroupResult();
}

}  // namespace plugin
