#include "plugin/elements/CLeadReadings.h"

#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestResult.h"
#include "driver/CTrxVti.h"
#include "host_api/HostServices.h"
#include "host_api/ITestRun.h"
#include "platform/NumberFormat.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/config/MModuleFilters.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/elements/CTestMulti.h"
#include "plugin/elements/MElementRun.h"
#include "plugin/elements/MLeadKeys.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/limits/CLimitData.h"
#include "plugin/limits/MTestLimits.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/MModuleUtils.h"
#include "plugin/results/CMeasurement.h"

namespace plugin {

namespace {

constexpr const char* Indent = "     ";
constexpr const char* Heading = "_";
constexpr const char* Arrow = " --> ";

std::string translated(const char* text) {
  return host_api::hostServices().application->Translate(PlugInId, text);
}

bool againstOthers(int32_t testId) { return testId >= 1300 && testId <= 1399; }

std::string suffixOfReading() {
  auto driver = MGlobalVTI::Driver();
  return driver && driver->TestOptions_get()
             ? MTestLimits::LimitKeySuffix(*driver->TestOptions_get())
             : std::string();
}

bool onLeadOrCombined(const CModuleEntry& module, const CAutoRunSetup& setup) {
  const int32_t first = module.FirstLead_get();
  const int32_t lead = setup.LeadNo_get();
  return (lead >= first && lead <= first + module.Leads_get() - 1) ||
         module.ClassID_get() == setup.CombineResults_get();
}

}  // namespace

CLeadReadings::CLeadReadings(const CTestMulti& element, const vti::CTrxTestResult& result,
                             CAutoRunSetup& setup)
    : m_element(element), m_result(result), m_setup(setup) {}

bool CLeadReadings::passesFilters(const CModuleEntry& module) const {
  auto own = std::dynamic_pointer_cast<CConfigTestGroup>(m_element.Configuration_get());
  if (own && own->Modules_get() && !module.ApplyFilter(own->Modules_get()->Filter_get().get())) {
    return false;
  }
  auto self = std::dynamic_pointer_cast<host_api::ITestElement>(
      std::const_pointer_cast<CTestElement>(m_element.shared_from_this()));
  return MModuleFilters::PassAllGroupFilters(self, module);
}

std::string CLeadReadings::oneAgainstOthers(const CModuleEntry& module, int32_t position,
                                            const std::string& given) const {
  auto modules = m_setup.Modules_get();
  const int32_t count = modules ? modules->Count_get() : 0;
  const int32_t leads = module.Leads_get();
  if (count == 1 && leads == 2) return Indent + given + Arrow + translated("20312::LL");
  if (count < 2 || leads < 2) return Indent + given + Arrow + translated("20789:: ALL");
  // Two readings per lead: open (odd positions) and grounded (even positions).
  int32_t lead = module.FirstLead_get();
  if (leads > 2 && position > 2) lead += position / 2 - (position % 2 == 0 ? 1 : 0);
  return Indent + MModuleUtils::LeadDisplayName(lead) + Arrow +
         MGlobalVTI::LeadList(modules->PostPositions(), lead) +
         translated(position % 2 == 0 ? "20788:: (G)" : "20787:: (F)");
}

std::string CLeadReadings::description(const CModuleEntry& module, int32_t position,
                                       const std::string& given) const {
  if (position == 0) return module.Code_get();
  if (againstOthers(m_element.TestID_get())) return oneAgainstOthers(module, position, given);
  return Indent + given;
}

std::shared_ptr<CMeasurement> CLeadReadings::Create(const CModuleEntry& module, bool placeholder,
                                                    int32_t position,
                                                    const std::string& description,
                                                    const std::string& prefix,
                                                    const std::string& classOverride,
                                                    const std::string& subPosition) const {
  if (!passesFilters(module)) return nullptr;
  MLeadKeys::Parts parts{module.ModuleID_get(),
                         classOverride.empty() ? module.Class_get() : classOverride,
                         suffixOfReading(),
                         position,
                         prefix,
                         subPosition};
  auto m = std::make_shared<CMeasurement>();
  m->Init(MLeadKeys::Key(parts), this->description(module, position, description),
          m_element.SafetyTest_get()->TestCode_get(), nullptr, {}, placeholder);
  if (placeholder) {
    m->Value_let(platform::Variant(" "));
    m->Status_let(host_api::ResultStatus::Passed);
    return m;
  }
  m->Unit_let(m_result.UnitSuffix_get() + m_element.Unit_get());
  m->Value_let(platform::Variant(m_result.Value_get()));
  m->Flags_let(m_result.State_get() == vti::etsOverflow ? "O" : "");
  auto run = m_setup.TestSetup_get();
  auto standards = run ? run->SelectedStandards_get() : nullptr;
  m->Evaluate(m_element.LimitData().get(), standards.get());
  return m;
}

void CLeadReadings::add(Records& records, std::shared_ptr<CMeasurement> record) const {
  if (record) records.push_back(std::move(record));
}

void CLeadReadings::CollectModule(Records& records, const CModuleEntry& entry,
                                  const Lead& lead) const {
  const CModuleEntry* measured = &entry;
  std::shared_ptr<CModuleEntry> member;
  if (const auto* group = dynamic_cast<const CModuleGroup*>(&entry); group && lead.first) {
    // A whole group measured lead by lead: its heading is its first member's, the reading the
    // member's at this position (the first one when the group has fewer).
    member = group->Item(lead.position) ? group->Item(lead.position) : group->Item(1);
    if (!member) return;
    if (lead.position == 1) {
      add(records, Create(*group->Item(1), true, 0, {}, {}, Heading, lead.subPosition));
    }
    measured = member.get();
  } else if (lead.position == 1) {
    add(records, Create(entry, true, 0, {}, {}, Heading, lead.subPosition));
  }
  add(records, Create(*measured, false, lead.position, MModuleUtils::LeadDisplayName(lead.leadNo),
                      lead.prefix, {}, lead.subPosition));
}

void CLeadReadings::collectTogether(Records& records) const {
  auto selected = m_setup.SelectedModules_get();
  if (!selected) return;
  for (const auto& entry : selected->NewEnum()) {
    if (!entry || !onLeadOrCombined(*entry, m_setup)) continue;
    auto group = std::dynamic_pointer_cast<CModuleGroup>(entry);
    if (!group) {
      add(records, Create(*entry, false, 0, {}, {}, {}, {}));
      continue;
    }
    const std::string groupId = platform::formatNumber(group->ModuleID_get());
    for (const auto& member : group->NewEnum()) {
      if (member) add(records, Create(*member, false, 0, {}, {}, {}, groupId));
    }
  }
}

CLeadReadings::Records CLeadReadings::Collect(const Lead& lead, bool modulesUsed,
                                              const std::shared_ptr<CModuleSetup>& modules) const {
  if (m_result.State_get() == vti::etsAborted) MElementRun::RaiseStop(CTestMulti::ClassName);
  Records records;
  if (m_result.State_get() == vti::etsNotPerformed) return records;
  if (!modulesUsed) {
    collectTogether(records);
    return records;
  }
  auto from = modules ? modules : m_setup.SelectedModules_get();
  auto entry = from ? from->Item(lead.moduleIndex) : nullptr;
  if (entry) CollectModule(records, *entry, lead);
  return records;
}

}  // namespace plugin
