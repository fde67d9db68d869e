#include "plugin/guide/MModuleExpansion.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "driver/CTrxTestOptions.h"
#include "driver/CTrxVti.h"
#include "driver/TrxTypes.h"
#include "host_api/ITestElement.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/config/MModuleFilters.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/guide/MRunSteps.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/MModuleUtils.h"

namespace plugin::MModuleExpansion {

namespace {

using Sockets = std::vector<int32_t>;

DriverOptions optionsOfDriver() {
  DriverOptions options;
  auto driver = MGlobalVTI::Driver();
  if (!driver || !driver->TestOptions_get()) return options;
  options.appliedParts = static_cast<int32_t>(driver->TestOptions_get()->AppliedParts_get());
  options.totalLeakage = driver->TestOptions_get()->TotalLeakage_get();
  return options;
}

DriverOptions driverOptions() {
  const auto& source = driverOptionsSlot();
  return source ? source() : optionsOfDriver();
}

bool isIn(int32_t value, std::initializer_list<int32_t> values) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

// The tests of every module and the BF/CF tests compare modules against each other: they
// always measure the worst case, whatever the configuration says.
bool alwaysWorstCase(int32_t testId) { return isIn(testId, {820, 830, 850}); }

int32_t plConfiguration(const std::shared_ptr<IAutoTest>& iat) {
  auto element = MRunSteps::ElementOf(iat);
  if (!element || alwaysWorstCase(element->TestID_get())) return vti::eepl_Worst;
  auto configuration = MRunSteps::GoverningConfiguration(element);
  return configuration && configuration->Test_get()
             ? configuration->Test_get()->PLConfiguration_get()
             : vti::eepl_Worst;
}

bool testSeparately(const std::shared_ptr<IAutoTest>& iat) {
  auto configuration = MRunSteps::GoverningConfiguration(MRunSteps::ElementOf(iat));
  return configuration && configuration->Modules_get() &&
         configuration->Modules_get()->TestSeparately_get();
}

int32_t selectedCount(const CAutoRunSetup& cas) {
  auto selected = cas.SelectedModules_get();
  return selected ? selected->Count_get() : 0;
}

Sockets socketsOf(const CAutoRunSetup& cas, int32_t classId, int32_t moduleId = -1) {
  auto selected = cas.SelectedModules_get();
  return selected ? selected->PostPositions(classId, moduleId) : Sockets{};
}

void runLeadAlone(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat, int32_t socket) {
  const int32_t lead = socket == 0 ? 1 : socket;
  cas.LeadNo_let(lead);
  RunWithAppliedParts(cas, iat, MGlobalVTI::LeadName(lead), {});
}

void runEachLead(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat,
                 const Sockets& sockets) {
  for (int32_t socket : sockets) runLeadAlone(cas, iat, socket);
}

// Whether the selection is the whole device: every module of the setup and all its sockets.
bool selectsWholeDevice(const CAutoRunSetup& cas, const Sockets& sockets) {
  auto modules = cas.Modules_get();
  auto selected = cas.SelectedModules_get();
  if (!modules || !selected || modules->Count_get() != selected->Count_get()) return false;
  for (const auto& entry : modules->NewEnum()) {
    if (selected->Item(0, entry->ModuleID_get()) != entry) return false;
  }
  return static_cast<int32_t>(sockets.size()) == modules->UsedLeads();
}

void runAllSockets(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat) {
  const Sockets sockets = socketsOf(cas, 0);
  const std::string leads =
      selectsWholeDevice(cas, sockets) ? MGlobalVTI::LeadName(0) : MGlobalVTI::LeadList(sockets);
  RunWithAppliedParts(cas, iat, leads, {});
}

void runByClass(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat, int32_t nomenclature,
                bool withBF) {
  RunClassTogether(cas, iat, nomenclature, MModuleUtils::ClassB);
  if (withBF && nomenclature == CModuleSetup::NomenclatureIEC) {
    RunClassPerModule(cas, iat, MModuleUtils::ClassBF);
  }
  RunClassPerLead(cas, iat, nomenclature);
}

void runPatientLeakage(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat,
                       int32_t nomenclature) {
  if (!driverOptions().totalLeakage) return runByClass(cas, iat, nomenclature, true);
  for (int32_t classChoice : {MModuleUtils::ClassB, MModuleUtils::ClassBF, MModuleUtils::ClassCF}) {
    RunClassTogether(cas, iat, nomenclature, classChoice);
  }
}

// The order of the patient auxiliary current: B modules (NI included), then BF, then CF (I
// included), each class in setup order.
std::vector<std::shared_ptr<CModuleEntry>> inClassOrder(const CModuleSetup& selected) {
  std::vector<std::shared_ptr<CModuleEntry>> ordered;
  for (const char* classText : {"B", "BF", "CF"}) {
    for (const auto& entry : selected.NewEnum()) {
      if (entry->ClassID_get() != MModuleUtils::ClassNone && entry->Class_get() == classText) {
        ordered.push_back(entry);
      }
    }
  }
  return ordered;
}

void runPatientAuxiliary(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat) {
  auto selected = cas.SelectedModules_get();
  if (!selected || selected->Count_get() == 0) return;
  if (testSeparately(iat)) {
    auto first = selected->Item(1);
    if (selected->UsedLeads() > 1 && MModuleUtils::HasMultiLeadModule(selected.get())) {
      RunLeadAgainstOthers(cas, iat, first->Leads_get(), first->ModuleID_get());
    }
    return;
  }
  int32_t position = 0;
  for (const auto& entry : inClassOrder(*selected)) {
    cas.ModuleNumber_let(++position);
    if (entry->Leads_get() > 1) {
      RunLeadAgainstOthers(cas, iat, entry->Leads_get(), entry->ModuleID_get());
    }
  }
}

// Resets CombineResults however the run ends, so no later test reports combined by mistake.
class CombinedRun {
 public:
  CombinedRun(CAutoRunSetup& cas, int32_t classId) : m_cas(cas) {
    m_cas.CombineResults_let(m_cas.UseSeperateModules_get() ? 0 : classId);
  }
  ~CombinedRun() { m_cas.CombineResults_let(0); }
  CombinedRun(const CombinedRun&) = delete;
  CombinedRun& operator=(const CombinedRun&) = delete;

 private:
  CAutoRunSetup& m_cas;
};

}  // namespace

DriverOptionsSource& driverOptionsSlot() {
  static DriverOptionsSource slot;
  return slot;
}

DriverOptionsOverride::DriverOptionsOverride(DriverOptions options)
    : m_previous(std::exchange(driverOptionsSlot(), [options] { return options; })) {}

DriverOptionsOverride::~DriverOptionsOverride() { driverOptionsSlot() = std::move(m_previous); }

void RunOverModules(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat) {
  if (!iat) return;
  const int32_t code = MRunSteps::TestCodeOf(*iat);
  auto modules = cas.Modules_get();
  const int32_t nomenclature =
      modules ? modules->Nomenclature_get() : CModuleSetup::NomenclatureIEC;
  switch (code) {
    case vti::etcProtEarth:
    case vti::etcPPRes:
    case vti::etcPPLeak:
    case vti::etcECGTest:
      MRunSteps::ApplyOptions(MRunSteps::ElementOf(iat));
      return RunWithAppliedParts(cas, iat, {}, {});
    case vti::etcDiffLeak:
      return RunWithAppliedParts(cas, iat, {}, {}, true);
    default:
      break;
  }
  const bool needsModules = isIn(
      code, {vti::etcIRAppl, vti::etcIRAppl2N, vti::etcIRMap, vti::etcMAP, vti::etcDAPLeak,
             vti::etcAltAppl, vti::etcPatLeak, vti::etcPatAux, vti::etcAltEquip, vti::etcDELeak});
  if (!needsModules) return RunWithAppliedParts(cas, iat, {}, {});
  if (selectedCount(cas) == 0) return;
  switch (code) {
    case vti::etcIRAppl:
    case vti::etcIRAppl2N:
      return runByClass(cas, iat, nomenclature, true);
    case vti::etcPatLeak:
      return runPatientLeakage(cas, iat, nomenclature);
    case vti::etcPatAux:
      return runPatientAuxiliary(cas, iat);
    case vti::etcAltEquip:
    case vti::etcDELeak:
      return runAllSockets(cas, iat);
    default:  // etcIRMap, etcMAP, etcDAPLeak, etcAltAppl: B and NI are not tested
      if (nomenclature == CModuleSetup::NomenclatureIEC) {
        RunClassPerModule(cas, iat, MModuleUtils::ClassBF);
      }
      return RunClassPerLead(cas, iat, nomenclature);
  }
}

void RunWithAppliedParts(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat,
                         const std::string& leads, const std::string& otherLeads, bool forceGround,
                         const std::string& marker) {
  std::string treatment;
  if (marker != NoTreatment) {
    treatment = forceGround || driverOptions().appliedParts == vti::eap_ground ? "GND" : "OPEN";
  }
  cas.AppliedParts_let(leads + "/" + otherLeads + "/" + treatment);
  iat->RunTest(cas);
}

void RunClassTogether(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat,
                      int32_t nomenclature, int32_t classChoice) {
  int32_t classId = classChoice == 0 ? MModuleUtils::ClassB : classChoice;
  if (nomenclature == CModuleSetup::NomenclatureAAMI) {
    if (classId == MModuleUtils::ClassBF) return;  // AAMI has no BF counterpart
    classId = MModuleUtils::AamiClassOf(classId);
  }
  const Sockets sockets = socketsOf(cas, classId);
  if (sockets.empty()) return;
  if (plConfiguration(iat) == vti::eepl_All) return runEachLead(cas, iat, sockets);
  cas.LeadNo_let(sockets.front());
  CombinedRun combined(cas, classId);
  RunWithAppliedParts(cas, iat, MGlobalVTI::LeadList(sockets), {});
}

void RunClassPerModule(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat, int32_t classId) {
  const Sockets sockets = socketsOf(cas, classId);
  if (sockets.empty()) return;
  if (plConfiguration(iat) == vti::eepl_All) return runEachLead(cas, iat, sockets);
  for (const auto& entry : cas.SelectedModules_get()->NewEnum()) {
    if (entry->ClassID_get() != classId) continue;
    const Sockets own = socketsOf(cas, classId, entry->ModuleID_get());
    if (own.empty()) continue;
    cas.LeadNo_let(own.front());
    RunWithAppliedParts(cas, iat, MGlobalVTI::LeadList(own), {});
  }
}

void RunClassPerLead(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat,
                     int32_t nomenclature) {
  const int32_t classId =
      nomenclature == CModuleSetup::NomenclatureAAMI ? MModuleUtils::ClassI : MModuleUtils::ClassCF;
  runEachLead(cas, iat, socketsOf(cas, classId));
}

void RunLeadAgainstOthers(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat,
                          int32_t leadCount, int32_t moduleId) {
  const Sockets set = socketsOf(cas, 0, moduleId);
  const bool oneModule = cas.ModuleCount_get() < 2;
  // With two leads, measuring the second against the first repeats the first reading.
  const bool twoLeads = oneModule ? leadCount == 2 : set.size() == 2;
  const size_t measured = twoLeads ? std::min<size_t>(set.size(), 1) : set.size();
  for (size_t index = 0; index < measured; ++index) {
    const int32_t lead = set[index];
    const std::string name = MGlobalVTI::LeadName(lead);
    const std::string others = MGlobalVTI::LeadList(set, lead);
    cas.LeadNo_let(lead);
    if (oneModule) {
      RunWithAppliedParts(cas, iat, name, others, false, NoTreatment);
      continue;
    }
    RunWithAppliedParts(cas, iat, name, others);
    cas.LeadNo_let(lead);
    RunWithAppliedParts(cas, iat, name, others, true);
  }
}

}  // namespace plugin::MModuleExpansion

namespace plugin::MModuleExpansion {

namespace {

bool inRange(int32_t id, int32_t low, int32_t high) { return id >= low && id <= high; }

enum class Counted { BFandCF, Every, MultiLead, None };

Counted countedFor(int32_t testId) {
  if (testId == 830 || inRange(testId, 1201, 1299) || inRange(testId, 1401, 1499) ||
      inRange(testId, 1801, 1899)) {
    return Counted::BFandCF;
  }
  if (testId == 820 || testId == 850 || inRange(testId, 1101, 1199)) return Counted::Every;
  if (inRange(testId, 1301, 1399)) return Counted::MultiLead;
  return Counted::None;
}

int32_t membersOf(const CModuleEntry& entry) {
  const auto* group = dynamic_cast<const CModuleGroup*>(&entry);
  return group ? group->Count_get() : 1;
}

// Rows of a lead-against-lead test per module: each lead against the others, measured once in
// a device of one module and twice (open, grounded) in a device of several; two leads need
// only the first.
int32_t leadAgainstLeadRows(int32_t leads, int32_t entries) {
  if (entries == 1) return leads == 2 ? 1 : leads;
  return leads == 2 ? 2 : 2 * leads;
}

int32_t rowsOf(const CModuleEntry& entry, Counted counted, bool allLeads, int32_t entries) {
  const int32_t leads = entry.Leads_get();
  const int32_t members = membersOf(entry);
  if (counted == Counted::MultiLead) {
    if (leads < 2) return 0;
    return members + (allLeads ? leadAgainstLeadRows(leads, entries) * members : 0);
  }
  if (counted == Counted::BFandCF && !MModuleFilters::IsIsolatedClass(entry)) return 0;
  return members + (allLeads && leads > 1 ? leads * members : 0);
}

}  // namespace

int32_t CountTestConditions(const std::shared_ptr<host_api::ITestElement>& element) {
  auto guide = MGlobalTestGuide::CurrentTestGuide();
  auto modules = guide ? guide->ModuleSetupData_get() : nullptr;
  if (!element || !modules) return 0;
  const int32_t testId = element->TestID_get();
  const Counted counted = countedFor(testId);
  if (counted == Counted::None) return 0;
  auto configuration = MRunSteps::GoverningConfiguration(element);
  const CModuleFilter* filter = configuration && configuration->Modules_get()
                                    ? configuration->Modules_get()->Filter_get().get()
                                    : nullptr;
  const bool filtered = filter && filter->Count_get() > 0;
  const bool allLeads = !alwaysWorstCase(testId) && configuration && configuration->Test_get() &&
                        configuration->Test_get()->PLConfiguration_get() == vti::eepl_All;
  int32_t rows = 0;
  for (const auto& entry : modules->NewEnum()) {
    if (filtered && !entry->ApplyFilter(filter)) continue;
    rows += rowsOf(*entry, counted, allLeads, modules->Count_get());
  }
  return rows;
}

}  // namespace plugin::MModuleExpansion
