#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "driver/CTrxTestOptions.h"
#include "host_api/ILimitEditor.h"
#include "host_api/ILimitStandard.h"
#include "host_api/ITestElement.h"
#include "plugin/core/IAutoTest.h"

namespace plugin {

// Limit keys: which limits a test element has, what each is called on screen, and under which
// key a reading is judged. A key is "::" + class code ("ST", "B", "BF", "CF") + measurement
// suffix ("", "_AC", "_DC", "_TOT", "_ACTOT", "_DCTOT"). The rules are one pure function
// (ApplicableKeys) over what they need to know of an element (KeyRuleInput), so that the limit
// standards, the limit editor and the tests all see the same keys in the same order.
namespace MTestLimits {

// The ECG test: it measures no leakage and has no limits.
inline constexpr int32_t ECGTestID = 1900;

// A key with its description as a message text ("20801::Body").
struct LimitKey {
  std::string key;
  std::string description;
  bool operator==(const LimitKey&) const = default;
};

// What the key rules need to know of an element.
struct KeyRuleInput {
  int32_t testId = 0;
  // A single test element has one key of its own, whatever its flags say.
  bool singleTest = false;
  bool requireModules = false;
  bool hasTotalLimits = false;
  // Of the governing configuration: 0 AC and DC, 1 AC, 2 DC (anything else counts as 0).
  int32_t measType = 0;
  // The driver's ETrxNomenclature: enomIEC, or enomAAMI (no class BF, other names).
  int32_t nomenclature = 0;
};

// The keys of an element in the order the editor lists them and standards hold them.
std::vector<LimitKey> ApplicableKeys(const KeyRuleInput& input);

// The description of `key` as a message text in the given terms; empty for a key those terms do
// not use (class BF in AAMI terms) or that is no key at all.
std::string KeyDescription(const std::string& key, int32_t nomenclature);

// Gathers the rules' input from an element. Without `element` there is no governing
// configuration (type 0) and no test id (0).
KeyRuleInput KeyRuleInputOf(const IAutoTest& autoTest, const host_api::ITestElement* element);

// The keys of an element; none without `autoTest`, since nothing is known of it then.
std::vector<LimitKey> KeysOf(const IAutoTest* autoTest, const host_api::ITestElement* element);

// The measurement type of the configuration that governs `element`'s keys: its parent group's
// for an element inside a group, its own otherwise; 0 when there is none.
int32_t GoverningMeasType(const host_api::ITestElement* element);

// Whether a test id's decimal text ends in "00": the catalogue numbers stand-alone elements in
// hundreds and the elements inside a group in between (1010 belongs to 1000). Id 0 does not.
bool EndsInHundreds(int32_t testId);

// The plug-in's nomenclature setting at the moment of the call: the initialised entry's, else
// the registry's default.
int32_t CurrentNomenclature();

// Adds a limit without values per applicable key to `standard`, each with the element's unit.
void AddLimitKeys(host_api::ILimitStandard& standard, const IAutoTest* autoTest,
                  const host_api::ITestElement* element);

// Adds one editor row per applicable key: key, translated description, unit, empty note.
void ListLimitKeys(host_api::ILimitEditor& editor, const IAutoTest* autoTest,
                   const host_api::ITestElement* element);

// The suffix of the key a reading is judged under, from the driver's test options of the
// reading: its measurement type (EMeasType) and whether it is a total leakage.
std::string LimitKeySuffix(int32_t measType, bool totalLeakage);
std::string LimitKeySuffix(const vti::CTrxTestOptions& options);

}  // namespace MTestLimits
}  // namespace plugin
