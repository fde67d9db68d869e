#include "plugin/guide/CRunModSep.h"

#include <algorithm>

#include "driver/TrxTypes.h"
#include "host_api/ITestElement.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/guide/MModuleExpansion.h"
#include "plugin/guide/MRunSteps.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/MModuleUtils.h"

namespace plugin {

namespace {

bool inRange(int32_t id, int32_t low, int32_t high) { return id >= low && id <= high; }

// Tests that measure every module of the device (a test id 820, 850 or 1100-1199).
bool measuresEveryModule(int32_t testId) {
  return testId == 820 || testId == 850 || inRange(testId, 1100, 1199);
}

bool treeHoldsEveryModuleTest(const std::shared_ptr<IAutoTest>& iat) {
  if (!iat) return false;
  if (!iat->IsGroup_get()) {
    auto element = MRunSteps::ElementOf(iat);
    return element && measuresEveryModule(element->TestID_get());
  }
  for (const auto& child : MRunSteps::Children(iat)) {
    if (treeHoldsEveryModuleTest(MRunSteps::PlugInTest(child))) return true;
  }
  return false;
}

// Puts back the enclosing run's way of combining results when the module passes end.
class SeparateModules {
 public:
  explicit SeparateModules(CAutoRunSetup& cas)
      : m_cas(cas), m_previous(cas.UseSeperateModules_get()) {
    m_cas.UseSeperateModules_let(true);
  }
  ~SeparateModules() { m_cas.UseSeperateModules_let(m_previous); }
  SeparateModules(const SeparateModules&) = delete;
  SeparateModules& operator=(const SeparateModules&) = delete;

 private:
  CAutoRunSetup& m_cas;
  bool m_previous;
};

}  // namespace

void CRunModSep::Run(const std::shared_ptr<IAutoTest>& iat, CAutoRunSetup& cas) {
  m_cas = &cas;
  m_root = iat;
  auto configuration = MRunSteps::GroupConfigurationOf(iat);
  const auto* options = configuration ? configuration->Modules_get().get() : nullptr;
  m_expandGroups = options && options->ExpandGroups_get();
  m_stopAtNew = options && options->StopAtNew_get();
  runFirstPass(iat);
  auto modules = cas.Modules_get();
  if (cas.ModuleCount_get() <= 0 || !modules) return;
  SeparateModules separate(cas);
  auto element = MRunSteps::ElementOf(iat);
  modulePass(modules->NewEnum(), element ? element->TestID_get() : 0,
             treeHoldsEveryModuleTest(iat));
}

void CRunModSep::runFirstPass(const std::shared_ptr<IAutoTest>& iat) { runElement(iat, false); }

void CRunModSep::runModule(const std::shared_ptr<IAutoTest>& iat) { runElement(iat, true); }

bool CRunModSep::leafTakesPart(const IAutoTest& leaf, bool requiresModules) const {
  return leaf.RequireModules_get() == requiresModules;
}

const std::vector<int32_t>& CRunModSep::moduleTestCodes() const {
  static const std::vector<int32_t> codes{vti::etcPatLeak, vti::etcMAP, vti::etcPatAux,
                                          vti::etcDAPLeak, vti::etcAltAppl};
  return codes;
}

void CRunModSep::runElement(const std::shared_ptr<IAutoTest>& iat, bool requiresModules) {
  if (!iat || !m_cas->IsApplicable(iat)) return;
  if (iat->IsGroup_get()) return runChildren(iat, requiresModules);
  if (!leafTakesPart(*iat, requiresModules)) return;
  MModuleExpansion::RunOverModules(*m_cas, iat);
  MRunSteps::StopCheck(*m_cas, className());
}

void CRunModSep::runChildren(const std::shared_ptr<IAutoTest>& group, bool requiresModules) {
  // Each child starts from the modules this group admits: a child group's filter must not take
  // the module of this pass away from the children after it.
  auto admitted = m_cas->SelectedModules_get();
  if (admitted)
    admitted = MRunSteps::SelectionOf(admitted->NewEnum(), admitted->Nomenclature_get());
  for (const auto& child : MRunSteps::Children(group)) {
    auto test = MRunSteps::PlugInTest(child);
    if (!test) continue;  // elements of other plug-ins cannot run module by module
    m_cas->UpdateModuleSelection(admitted);
    MRunSteps::ApplyOptions(child);
    runElement(test, requiresModules);
    MRunSteps::StopCheck(*m_cas, className());
  }
}

void CRunModSep::modulePass(const std::vector<std::shared_ptr<CModuleEntry>>& entries,
                            int32_t testId, bool everyModuleTest) {
  for (const auto& entry : entries) {
    if (!entry) continue;
    auto group = std::dynamic_pointer_cast<CModuleGroup>(entry);
    if (group && m_expandGroups) {
      const auto members = group->NewEnum();
      modulePass({members.begin(), members.end()}, testId, everyModuleTest);
      continue;
    }
    if (!moduleIsRelevant(*entry, testId) && !everyModuleTest) continue;
    runForModule(entry);
  }
}

// Which modules a group of tests is about: lead-against-lead groups need modules of several
// leads, the BF/CF groups isolated modules (the class rule decides where both apply).
bool CRunModSep::moduleIsRelevant(const CModuleEntry& module, int32_t testId) const {
  bool relevant = true;
  if (inRange(testId, 1300, 1499) || testId == 100) relevant = module.Leads_get() > 1;
  if (inRange(testId, 1200, 1299) || inRange(testId, 1400, 1499) || inRange(testId, 1800, 1899) ||
      testId == 830 || testId == 100) {
    relevant = module.ClassID_get() != MModuleUtils::ClassB &&
               module.ClassID_get() != MModuleUtils::ClassNI;
  }
  return relevant;
}

void CRunModSep::runForModule(const std::shared_ptr<CModuleEntry>& module) {
  auto modules = m_cas->Modules_get();
  const int32_t nomenclature = modules ? modules->Nomenclature_get() : 0;
  // HasTests thins the setup it is given; the selection gets a setup of its own.
  if (!m_cas->HasTests(m_root, MRunSteps::SelectionOf({module}, nomenclature), moduleTestCodes())) {
    return;
  }
  m_cas->UpdateModuleSelection(MRunSteps::SelectionOf({module}, nomenclature));
  if (m_stopAtNew) m_cas->ShowLeadConnectForm(module->FirstLead_get());
  runModule(m_root);
}

}  // namespace plugin
