#include "plugin/guide/CRunIec.h"

#include "host_api/ITestElement.h"
#include "host_api/ITestRun.h"
#include "platform/ErrorBoundary.h"
#include "platform/forms/Form.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/guide/CAutoRunScheduler.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/guide/MModuleExpansion.h"
#include "plugin/guide/MRunSteps.h"

namespace plugin {

namespace {

// Host test run states after which a foreign element counts as done and the run goes on.
bool foreignRunGoesOn(int32_t status) { return status == 1 || status == 2; }

bool asksForOwnOrder(const std::shared_ptr<IAutoTest>& group) {
  auto configuration = MRunSteps::GroupConfigurationOf(group);
  if (!configuration) return false;
  return (configuration->Test_get() && configuration->Test_get()->Optimized_get()) ||
         (configuration->Modules_get() && configuration->Modules_get()->TestSeparately_get());
}

}  // namespace

void CRunIec::Run(const std::shared_ptr<IAutoTest>& iat, CAutoRunSetup& cas) {
  m_cas = &cas;
  cas.SelectAllModules();
  runElement(iat);
}

void CRunIec::runElement(const std::shared_ptr<IAutoTest>& iat) {
  if (!iat || !m_cas->IsApplicable(iat)) return;
  if (!iat->IsGroup_get()) return MModuleExpansion::RunOverModules(*m_cas, iat);
  if (asksForOwnOrder(iat)) return runNestedGroup(iat);
  runChildren(iat);
}

void CRunIec::runChildren(const std::shared_ptr<IAutoTest>& group) {
  for (const auto& child : MRunSteps::Children(group)) {
    if (auto test = MRunSteps::PlugInTest(child)) {
      m_cas->SelectAllModules();
      MRunSteps::ApplyOptions(child);
      runElement(test);
    } else if (child) {
      runForeign(child);
    }
    MRunSteps::StopCheck(*m_cas, ClassName);
  }
}

void CRunIec::runNestedGroup(const std::shared_ptr<IAutoTest>& group) {
  CAutoRunScheduler scheduler;
  // The lead is zeroed once per run, also when a nested group has a scheduler of its own.
  scheduler.Calibrated_let(m_cas->Calibrated_get());
  scheduler.Run(group, *m_cas);
  m_cas->Calibrated_let(scheduler.Calibrated_get());
}

void CRunIec::runForeign(const std::shared_ptr<host_api::ITestElement>& element) {
  host_api::ITestRun* testRun = m_cas->TestSetup_get();
  if (!testRun) return;
  auto guide = MGlobalTestGuide::CurrentTestGuide();
  platform::forms::Form* form = guide ? guide->GuideForm() : nullptr;
  const bool wasVisible = form && form->Visible_get();
  if (wasVisible) form->hide();
  const auto showGuideAgain = [&] {
    if (wasVisible)
      platform::IgnoreErrors([form] { form->show(platform::forms::FormShow::Modeless); });
  };
  try {
    element->Perform(*testRun);
  } catch (...) {
    showGuideAgain();
    throw;
  }
  // The guide comes back whether the run goes on or stops: the operator follows the rest of
  // the run, or its end, in it.
  showGuideAgain();
  if (!foreignRunGoesOn(testRun->Status_get())) MRunSteps::RaiseStop(ClassName);
}

}  // namespace plugin
