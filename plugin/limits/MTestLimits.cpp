#include "plugin/limits/MTestLimits.h"

#include <array>
#include <memory>

#include "driver/TrxTypes.h"
#include "host_api/HostServices.h"
#include "plugin/config/CConfigResistance.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MSharedTools.h"
#include "plugin/modules/IPlugInReference.h"

namespace plugin::MTestLimits {

namespace {

struct KeyTexts {
  const char* key;
  const char* iec;
  const char* aami;  // null: the key is not used in AAMI terms
};

// Every key with its names in both terms. AAMI terms know no class BF and call B
// "Non-Isolated" and CF "Isolated".
constexpr std::array<KeyTexts, 21> keyTexts{{
    {"::ST", "20800::Single test", "20800::Single test"},
    {"::ST_AC", "20818::Single test AC", "20818::Single test AC"},
    {"::ST_DC", "20819::Single test DC", "20819::Single test DC"},
    {"::B", "20801::Body", "20804::Non-Isolated"},
    {"::BF", "20802::Body Float", nullptr},
    {"::CF", "20803::Cardiac Float", "20805::Isolated"},
    {"::B_TOT", "20812::Total Body", "20822::Total Non-Isolated"},
    {"::BF_TOT", "20813::Total Body Float", nullptr},
    {"::CF_TOT", "20814::Total Cardiac Float", "20823::Total Isolated"},
    {"::B_AC", "20828::Body (AC)", "20831::Non-Isolated (AC)"},
    {"::BF_AC", "20829::Body Float (AC)", nullptr},
    {"::CF_AC", "20830::Cardiac Float (AC)", "20832::Isolated (AC)"},
    {"::B_ACTOT", "20833::Total Body (AC)", "20826::Total Non-Isolated (AC)"},
    {"::BF_ACTOT", "20834::Total Body Float (AC)", nullptr},
    {"::CF_ACTOT", "20835::Total Cardiac Float (AC)", "20827::Total Isolated (AC)"},
    {"::B_DC", "20809::Body (DC)", "20820::Non-Isolated (DC)"},
    {"::BF_DC", "20810::Body Float (DC)", nullptr},
    {"::CF_DC", "20811::Cardiac Float (DC)", "20821::Isolated (DC)"},
    {"::B_DCTOT", "20815::Total Body (DC)", "20824::Total Non-Isolated (DC)"},
    {"::BF_DCTOT", "20816::Total Body Float (DC)", nullptr},
    {"::CF_DCTOT", "20817::Total Cardiac Float (DC)", "20825::Total Isolated (DC)"},
}};

bool inIECTerms(int32_t nomenclature) { return nomenclature == vti::enomIEC; }

// Suffixes by measurement type 0, 1, 2; an unknown type reads as AC and DC together.
std::string typeSuffix(int32_t measType, bool total) {
  static const std::array<const char*, 3> single{"", "_AC", "_DC"};
  static const std::array<const char*, 3> totals{"_TOT", "_ACTOT", "_DCTOT"};
  const size_t index = (measType >= 0 && measType <= 2) ? static_cast<size_t>(measType) : 0;
  return total ? totals[index] : single[index];
}

std::vector<std::string> keyNames(const KeyRuleInput& input) {
  if (input.testId == ECGTestID) return {};
  if (input.singleTest || !input.requireModules) {
    return {"::ST" + typeSuffix(input.measType, false)};
  }
  std::vector<const char*> classes{"B", "CF"};
  if (inIECTerms(input.nomenclature)) classes.insert(classes.begin() + 1, "BF");
  std::vector<std::string> names;
  for (const char* code : classes)
    names.push_back("::" + (code + typeSuffix(input.measType, false)));
  if (input.hasTotalLimits) {
    for (const char* code : classes)
      names.push_back("::" + (code + typeSuffix(input.measType, true)));
  }
  return names;
}

// The measurement type of a configuration of the kind expected; 0 for any other.
int32_t groupMeasType(const std::shared_ptr<host_api::IConfigData>& configuration) {
  auto group = std::dynamic_pointer_cast<CConfigTestGroup>(configuration);
  return group && group->Test_get() ? group->Test_get()->MeasType_get() : 0;
}

int32_t resistanceMeasType(const std::shared_ptr<host_api::IConfigData>& configuration) {
  auto resistance = std::dynamic_pointer_cast<CConfigResistance>(configuration);
  return resistance && resistance->Test_get() ? resistance->Test_get()->MeasType_get() : 0;
}

}  // namespace

std::vector<LimitKey> ApplicableKeys(const KeyRuleInput& input) {
  std::vector<LimitKey> keys;
  for (std::string& name : keyNames(input)) {
    std::string description = KeyDescription(name, input.nomenclature);
    keys.push_back({std::move(name), std::move(description)});
  }
  return keys;
}

std::string KeyDescription(const std::string& key, int32_t nomenclature) {
  for (const KeyTexts& texts : keyTexts) {
    if (key != texts.key) continue;
    const char* text = inIECTerms(nomenclature) ? texts.iec : texts.aami;
    return text ? text : "";
  }
  return "";
}

bool EndsInHundreds(int32_t testId) { return std::to_string(testId).ends_with("00"); }

int32_t GoverningMeasType(const host_api::ITestElement* element) {
  if (!element) return 0;
  const int32_t testId = element->TestID_get();
  if (!EndsInHundreds(testId)) {
    // A member of a group runs with the group's test options.
    auto parent = element->Parent_get();
    return parent ? groupMeasType(parent->Configuration_get()) : 0;
  }
  if (testId < 300 || testId > 799) return groupMeasType(element->Configuration_get());
  return resistanceMeasType(element->Configuration_get());
}

int32_t CurrentNomenclature() {
  if (auto entry = PlugIn()) return entry->SetupObject().Nomenclature_get();
  return MSharedTools::DefaultNomenclature();
}

KeyRuleInput KeyRuleInputOf(const IAutoTest& autoTest, const host_api::ITestElement* element) {
  KeyRuleInput input;
  input.testId = element ? element->TestID_get() : 0;
  input.singleTest = dynamic_cast<const ISingleTest*>(&autoTest) != nullptr;
  input.requireModules = autoTest.RequireModules_get();
  input.hasTotalLimits = autoTest.HasTotalLimits_get();
  // The ECG test has no keys; its configuration need not be of a kind the rules read.
  if (input.testId != ECGTestID) input.measType = GoverningMeasType(element);
  input.nomenclature = CurrentNomenclature();
  return input;
}

std::vector<LimitKey> KeysOf(const IAutoTest* autoTest, const host_api::ITestElement* element) {
  if (!autoTest) return {};
  return ApplicableKeys(KeyRuleInputOf(*autoTest, element));
}

void AddLimitKeys(host_api::ILimitStandard& standard, const IAutoTest* autoTest,
                  const host_api::ITestElement* element) {
  const std::vector<LimitKey> keys = KeysOf(autoTest, element);
  if (keys.empty()) return;
  const std::string unit = autoTest->Unit_get();
  for (const LimitKey& key : keys) {
    auto limit = host_api::hostServices().classes.newLimit();
    limit->Initialize(key.key, unit, "", "");
    standard.AddLimit(limit);
  }
}

void ListLimitKeys(host_api::ILimitEditor& editor, const IAutoTest* autoTest,
                   const host_api::ITestElement* element) {
  const std::vector<LimitKey> keys = KeysOf(autoTest, element);
  if (keys.empty()) return;
  auto& application = *host_api::hostServices().application;
  for (const LimitKey& key : keys) {
    std::string unit = autoTest->Unit_get();
    editor.AddRow(key.key, application.Translate(PlugInId, key.description), unit, "");
  }
}

std::string LimitKeySuffix(int32_t measType, bool totalLeakage) {
  switch (measType) {
    case vti::emt_ACDC:
    case vti::emt_AC:
    case vti::emt_DC:
      return typeSuffix(measType, totalLeakage);
    default:
      return "";
  }
}

std::string LimitKeySuffix(const vti::CTrxTestOptions& options) {
  return LimitKeySuffix(options.MeasType_get(), options.TotalLeakage_get());
}

}  // namespace plugin::MTestLimits
