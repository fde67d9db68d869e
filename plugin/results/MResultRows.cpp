#include "plugin/results/MResultRows.h"

#include <cctype>
#include <cstdlib>

#include "host_api/HostServices.h"
#include "platform/ComError.h"
#include "platform/NumberFormat.h"
#include "platform/NumberPattern.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/config/MModuleFilters.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/modules/CModuleEntry.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/MModuleUtils.h"

namespace plugin::MResultRows {

namespace {

constexpr int32_t AllLeads = 1;  // the test options' patient-lead configuration "All leads"

std::string translate(const std::string& text) {
  return host_api::hostServices().application->Translate(PlugInId, text);
}

// A module id written in a key: digits only, else 0.
int32_t moduleNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
  }
  return std::stoi(text);
}

// Every reading of `result` in order, with what its key tells.
template <typename Visit>
void forEachReading(const host_api::IResultData& result, Visit&& visit) {
  const int32_t count = result.MeasurementCount_get();
  for (int32_t i = 1; i <= count; ++i) {
    auto m = result.Measurement_get(platform::Variant(i));
    if (m) visit(m, ParseReadingKey(m->Key_get()));
  }
}

std::string formatted(float value, const std::string& pattern) {
  try {
    return platform::Format(value, pattern);
  } catch (const platform::ComError&) {
    return platform::formatNumber(value);  // a pattern the formatter does not know
  }
}

}  // namespace

std::string RowKey(int32_t elementId, std::optional<int32_t> counter,
                   const std::string& leadCounter) {
  std::string key = "::" + std::to_string(elementId);
  if (!counter) return key;
  key += "@" + std::to_string(*counter);
  if (!leadCounter.empty()) key += "::" + leadCounter;
  return key;
}

std::string SubRowPrefix(int32_t elementId) { return "::" + std::to_string(elementId) + "@"; }

ReadingKey ParseReadingKey(const std::string& key) {
  ReadingKey parsed;
  const auto hash = key.find('#');
  if (hash != std::string::npos) parsed.lead = key.substr(hash + 1);
  if (key.rfind("::", 0) != 0) return parsed;
  const std::string body = key.substr(2, hash == std::string::npos ? std::string::npos : hash - 2);
  const auto classPart = body.find("::");
  if (classPart == std::string::npos) return parsed;  // "::ST", "::ST4": no module
  std::string head = body.substr(0, classPart);
  const auto dollar = head.find('$');
  if (dollar != std::string::npos) head = head.substr(dollar + 1);
  parsed.module = moduleNumber(head);
  return parsed;
}

bool IsPerLeadType(int32_t testId) {
  return testId == 820 || testId == 830 || testId == 850 || (testId >= 1100 && testId <= 1499) ||
         (testId >= 1800 && testId <= 1899);
}

bool IsLeadAgainstOthersType(int32_t testId) { return testId >= 1300 && testId <= 1399; }

bool AllLeadsMode(const std::shared_ptr<host_api::ITestElement>& element) {
  const int32_t type = element->TestID_get();
  if (type == 820 || type == 830 || type == 850) return false;
  auto config = MModuleFilters::EnclosingGroupConfiguration(element);
  return config && config->Test_get() && config->Test_get()->PLConfiguration_get() == AllLeads;
}

std::shared_ptr<CModuleFilter> ModuleFilterOf(
    const std::shared_ptr<host_api::ITestElement>& element) {
  auto config = MModuleFilters::EnclosingGroupConfiguration(element);
  if (!config || !config->Modules_get()) return nullptr;
  auto filter = config->Modules_get()->Filter_get();
  return filter && filter->Count_get() > 0 ? filter : nullptr;
}

std::shared_ptr<host_api::IMeasurement> ModuleReading(const host_api::IResultData& result,
                                                      int32_t moduleId) {
  std::shared_ptr<host_api::IMeasurement> whole, lastLead;
  forEachReading(result, [&](const auto& m, const ReadingKey& key) {
    if (key.module != moduleId) return;
    (key.lead.empty() ? whole : lastLead) = m;
  });
  return whole ? whole : lastLead;
}

std::shared_ptr<host_api::IMeasurement> LeadReading(const host_api::IResultData& result,
                                                    int32_t moduleId, const std::string& lead) {
  std::shared_ptr<host_api::IMeasurement> found;
  forEachReading(result, [&](const auto& m, const ReadingKey& key) {
    if (key.module == moduleId && !lead.empty() && key.lead == lead) found = m;
  });
  return found;
}

bool HasLeadReadings(const host_api::IResultData& result, int32_t moduleId) {
  bool found = false;
  forEachReading(result, [&](const auto&, const ReadingKey& key) {
    found = found || (key.module == moduleId && !key.lead.empty());
  });
  return found;
}

bool HasModuleReadings(const host_api::IResultData& result) {
  bool found = false;
  forEachReading(result,
                 [&](const auto&, const ReadingKey& key) { found = found || key.module > 0; });
  return found;
}

bool IsOverflow(const host_api::IMeasurement& m) {
  return m.Flags_get().find('O') != std::string::npos;
}

std::string ValueText(const host_api::IMeasurement& m) {
  if (IsOverflow(m)) return "XX";
  const platform::Variant value = m.Value_get();
  const int32_t type = m.ValueType_get();
  if (type == host_api::ValueKind::PassFail || type == host_api::ValueKind::Text ||
      !value.isNumeric()) {
    return value.toString();
  }
  return formatted(static_cast<float>(value.toDouble()), m.ValueFormat_get()) + "  " + m.Unit_get();
}

RowLimits LimitsFor(const host_api::ILimitStandard& standard, const std::string& limitKey) {
  RowLimits limits;
  auto list = standard.Limits_get();
  if (!list) return limits;
  for (int32_t i = 1; i <= list->Count(); ++i) {
    auto limit = list->Item(i);
    if (!limit || limit->Key_get() != limitKey) continue;
    // The strictest of several limits under one key is the one a reading must meet.
    if (auto high = limit->High_get(); high && (!limits.high || *high < *limits.high)) {
      limits.high = high;
    }
    if (auto low = limit->Low_get(); low && (!limits.low || *low > *limits.low)) limits.low = low;
  }
  return limits;
}

std::string LimitText(std::optional<float> limit, const host_api::IMeasurement& m) {
  if (!limit) return " ";
  return formatted(*limit, m.ValueFormat_get()) + " " + m.Unit_get();
}

std::string LeadPart(int32_t prefixId, int32_t position) {
  return std::to_string(prefixId) + std::to_string(position);
}

int32_t LeadPosition(const CModuleEntry& module, const std::string& lead) {
  for (int32_t prefix : {module.ModuleID_get(), module.GroupID_get()}) {
    const std::string p = std::to_string(prefix);
    if (prefix > 0 && lead.rfind(p, 0) == 0 && lead.size() > p.size()) {
      return std::atoi(lead.c_str() + p.size());
    }
  }
  return std::atoi(lead.c_str());
}

int32_t LeadAgainstOthersPositions(int32_t leads, int32_t entries) {
  if (leads < 2) return 0;
  if (entries < 2) return leads == 2 ? 1 : leads;
  return leads == 2 ? 2 : 2 * leads;
}

std::string LeadAgainstOthersName(const CModuleEntry& module, int32_t position, int32_t entries) {
  const int32_t first = module.FirstLead_get();
  const int32_t leads = module.Leads_get();
  const bool twice = entries >= 2;  // open, then grounded
  const int32_t socket = first + (twice ? (position + 1) / 2 : position) - 1;
  std::string name = MModuleUtils::LeadDisplayName(socket) + " -->";
  if (!twice && leads > 2) return name + translate("20789:: ALL");
  std::string others;
  for (int32_t s = first; s < first + leads; ++s) {
    if (s == socket) continue;
    others += (others.empty() ? "" : ",") + MModuleUtils::LeadDisplayName(s);
  }
  name += " " + others;
  if (twice) name += translate(position % 2 ? "20787:: (F)" : "20788:: (G)");
  return name;
}

}  // namespace plugin::MResultRows
