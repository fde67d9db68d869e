#include "plugin/guide/CRunIecOptimized.h"

#include "plugin/core/IAutoTest.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/guide/MModuleExpansion.h"
#include "plugin/guide/MRunSteps.h"

namespace plugin {

void CRunIecOptimized::Run(const std::shared_ptr<IAutoTest>& iat, CAutoRunSetup& cas) {
  m_cas = &cas;
  cas.SelectAllModules();
  for (int32_t phase : MRunSteps::AllPhases) {
    m_phase = phase;
    runElement(iat);
  }
}

void CRunIecOptimized::runElement(const std::shared_ptr<IAutoTest>& iat) {
  if (!iat || !m_cas->IsApplicable(iat)) return;
  if (!iat->IsGroup_get()) {
    if (MRunSteps::PhaseOf(*iat) != m_phase) return;
    MModuleExpansion::RunOverModules(*m_cas, iat);
    return MRunSteps::StopCheck(*m_cas, ClassName);
  }
  // Elements of other plug-ins cannot be split by phase; they are not run here.
  for (const auto& child : MRunSteps::Children(iat)) {
    auto test = MRunSteps::PlugInTest(child);
    if (!test) continue;
    m_cas->SelectAllModules();
    MRunSteps::ApplyOptions(child);
    runElement(test);
    MRunSteps::StopCheck(*m_cas, ClassName);
  }
}

}  // namespace plugin
