#include "plugin/guide/CAutoRunSetup.h"

#include <algorithm>

#include "driver/CTrxVti.h"
#include "host_api/ITestElement.h"
#include "host_api/ITestRun.h"
#include "platform/ErrorBoundary.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/config/MModuleFilters.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/guide/FConnectLeads.h"
#include "plugin/guide/FHaltOnFail.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/guide/MRunSteps.h"
#include "plugin/instrument/FCalibrate.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/CModuleSetup.h"

namespace plugin {

namespace {

// Removes from `modules` every module that a group at or above `element` filters out; true
// when one is left.
bool keepFilteredModules(const std::shared_ptr<host_api::ITestElement>& element,
                         CModuleSetup& modules) {
  for (const auto& entry : modules.NewEnum()) {
    if (!MModuleFilters::PassAllGroupFilters(element, *entry)) modules.Remove(entry);
  }
  return modules.Count_get() > 0;
}

bool hasFilterItems(const std::shared_ptr<CConfigTestGroup>& configuration) {
  if (!configuration || !configuration->Modules_get()) return false;
  const auto& filter = configuration->Modules_get()->Filter_get();
  return filter && filter->Count_get() > 0;
}

platform::forms::Form* guideForm() {
  auto guide = MGlobalTestGuide::CurrentTestGuide();
  return guide ? guide->GuideForm() : nullptr;
}

}  // namespace

CAutoRunSetup::CAutoRunSetup() = default;
CAutoRunSetup::~CAutoRunSetup() = default;

void CAutoRunSetup::Initialize(host_api::ITestRun* itsSetup, const std::shared_ptr<IAutoTest>&) {
  m_testSetup = itsSetup;
  auto guide = MGlobalTestGuide::CurrentTestGuide();
  m_modules = guide ? guide->ModuleSetupData_get() : nullptr;
  m_selectedModules = std::make_shared<CModuleSetup>();
  SelectAllModules();
}

void CAutoRunSetup::SelectAllModules() { UpdateModuleSelection(m_modules); }

void CAutoRunSetup::UpdateModuleSelection(const std::shared_ptr<CModuleSetup>& cmsTemp) {
  if (!cmsTemp) {
    m_selectedModules = MRunSteps::SelectionOf({}, m_modules ? m_modules->Nomenclature_get() : 0);
    return;
  }
  m_selectedModules = MRunSteps::SelectionOf(cmsTemp->NewEnum(), cmsTemp->Nomenclature_get());
}

int32_t CAutoRunSetup::ModuleCount_get() const { return m_modules ? m_modules->Count_get() : 0; }

bool CAutoRunSetup::IsApplicable(const std::shared_ptr<IAutoTest>& iat,
                                 const std::shared_ptr<CModuleSetup>& cmsTemp) {
  auto element = MRunSteps::ElementOf(iat);
  if (!element) return false;
  // A run without a host test run has nothing that narrows it: every element takes part.
  if (m_testSetup && !m_testSetup->IsSelected(*element)) return false;
  const auto modules = cmsTemp ? cmsTemp : m_selectedModules;
  if (iat->RequireModules_get()) return modules && keepFilteredModules(element, *modules);
  if (!iat->IsGroup_get()) return true;
  if (iat->ChildCount_get() < 1) return false;
  if (!hasFilterItems(MModuleFilters::GroupConfiguration(*element))) return true;
  return modules && keepFilteredModules(element, *modules);
}

bool CAutoRunSetup::HasTests(const std::shared_ptr<IAutoTest>& iat,
                             const std::shared_ptr<CModuleSetup>& cmsTemp,
                             const std::vector<int32_t>& testCodes) {
  if (!iat || !IsApplicable(iat, cmsTemp)) return false;
  if (!iat->IsGroup_get()) {
    return testCodes.empty() ||
           std::ranges::find(testCodes, MRunSteps::TestCodeOf(*iat)) != testCodes.end();
  }
  const auto modules = cmsTemp ? cmsTemp : m_selectedModules;
  for (const auto& child : MRunSteps::Children(iat)) {
    auto test = MRunSteps::PlugInTest(child);
    if (!test) continue;
    // Each child is judged on the modules its group admits: a sibling's filter must not take
    // modules away from the children after it.
    auto forChild =
        modules ? MRunSteps::SelectionOf(modules->NewEnum(), modules->Nomenclature_get()) : nullptr;
    if (HasTests(test, forChild, testCodes)) return true;
  }
  return false;
}

int32_t CAutoRunSetup::HaltOnFailure(const std::shared_ptr<host_api::ITestElement>& ite,
                                     const std::shared_ptr<host_api::IMeasurement>& cme) {
  if (m_haltAnswerKept || !ite) return 0;
  auto group = MModuleFilters::EnclosingGroupConfiguration(ite->Parent_get());
  if (!group || !group->Test_get() || !group->Test_get()->HaltOnTestFailure_get()) return 0;
  FHaltOnFail dialog;
  try {
    dialog.Initialize(ite, cme, group->Buttons_get());
    const int32_t answer = dialog.Display(guideForm());
    m_haltAnswerKept = dialog.UseOnAll_get();
    return answer;
  } catch (...) {
    platform::IgnoreErrors([&] { dialog.unload(); });
    return 0;
  }
}

void CAutoRunSetup::ShowLeadConnectForm(int32_t lStartLead) {
  auto driver = MGlobalVTI::Driver();
  // With high voltage on the leads nobody may touch them: no prompt then.
  if (driver && driver->InHighVoltageMode()) return;
  FConnectLeads dialog;
  dialog.Initialize(m_selectedModules, lStartLead);
  dialog.Display(guideForm());
  if (!dialog.Cancel_get()) return;
  m_state = 1;
  if (driver) driver->StopFlagForAPScreen_let(true);
  MRunSteps::RaiseStop("CAutoRunSetup");
}

void CAutoRunSetup::ShowCalibrationForm() {
  if (m_calibrated) return;
  FCalibrate dialog;
  dialog.Initialize();
  dialog.Display(guideForm());
  m_calibrated = !dialog.Cancel_get();
}

}  // namespace plugin
