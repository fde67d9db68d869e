#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host_api/ILimitStandard.h"
#include "host_api/IMeasurement.h"
#include "host_api/IResultData.h"
#include "host_api/ITestElement.h"

namespace plugin {

class CModuleEntry;
class CModuleFilter;
class CModuleSetup;

// The rules of the result list that need no list: row keys, which reading a module or lead row
// shows, how a value and its limits read, and the names of lead rows. XResultView puts them on
// the screen.
namespace MResultRows {

// The columns after the first (the element's name), in order.
enum Column : size_t { ColModule = 0, ColValue = 1, ColHigh = 2, ColLow = 3 };

inline constexpr int32_t ColourFailed = 255;
inline constexpr int32_t ColourNormal = 0;

// Row keys: "::" n for an element, "::" n "@" c for a module row (c: the module's id), and
// "::" n "@" c "::" l for a lead row (l: the lead part of the readings' keys, see ReadingKey).
std::string RowKey(int32_t elementId, std::optional<int32_t> counter = std::nullopt,
                   const std::string& leadCounter = {});
// The key prefix every module and lead row of an element starts with ("::" n "@").
std::string SubRowPrefix(int32_t elementId);

// What a reading's key tells about the row it belongs to. The multi test writes
// "::M::CF_AC" (one reading of module M), "::G$M::CF_AC" (member M of group G),
// "::M::CF_AC#PN" (lead N, P the module's or group's id) and "::@T$M::CF_AC#PN" (sub-position T).
struct ReadingKey {
  int32_t module = 0;  // the module the reading belongs to; 0 when the key names none
  std::string lead;    // the text after "#"; empty for a reading of a whole module
};
ReadingKey ParseReadingKey(const std::string& key);

// Types whose results are laid out per module and lead: 820, 830, 850, 1100-1499, 1800-1899.
bool IsPerLeadType(int32_t testId);
// Types whose per-lead readings measure a lead against the other leads (1300-1399).
bool IsLeadAgainstOthersType(int32_t testId);

// Whether the element's readings go lead by lead: its group asks for all leads, unless the
// element is one of 820, 830 and 850, which measure the worst case whatever their group asks.
bool AllLeadsMode(const std::shared_ptr<host_api::ITestElement>& element);
// The module filter of the element's group when it has entries; null otherwise.
std::shared_ptr<CModuleFilter> ModuleFilterOf(
    const std::shared_ptr<host_api::ITestElement>& element);

// The reading of `result` for a module row: the one of the whole module, else the last reading
// of one of its leads. Null when the result holds none for the module.
std::shared_ptr<host_api::IMeasurement> ModuleReading(const host_api::IResultData& result,
                                                      int32_t moduleId);
// The reading of `result` whose key names `moduleId` and the lead part `lead`; null when none.
std::shared_ptr<host_api::IMeasurement> LeadReading(const host_api::IResultData& result,
                                                    int32_t moduleId, const std::string& lead);
// Whether `result` holds a reading of `moduleId`'s leads (a key with a lead part).
bool HasLeadReadings(const host_api::IResultData& result, int32_t moduleId);
// Whether some reading of `result` names a module.
bool HasModuleReadings(const host_api::IResultData& result);

// The text of the value cell: "XX" for an overflowed reading, the value as it stands for
// pass/fail and text readings, else the value in its format, two blanks and the unit.
std::string ValueText(const host_api::IMeasurement& m);
bool IsOverflow(const host_api::IMeasurement& m);

// The limits of `standard` under the reading's limit key: the smallest high and the greatest
// low limit; nothing for a kind no limit under that key has.
struct RowLimits {
  std::optional<float> high;
  std::optional<float> low;
};
RowLimits LimitsFor(const host_api::ILimitStandard& standard, const std::string& limitKey);
// A limit cell: the value in the reading's format, a blank and its unit; one blank for none.
std::string LimitText(std::optional<float> limit, const host_api::IMeasurement& m);

// The lead part of lead `position` (1-based) of a module whose readings carry `prefixId`.
std::string LeadPart(int32_t prefixId, int32_t position);
// The position a lead part names for `module` (its own id, or its group's, comes first).
int32_t LeadPosition(const CModuleEntry& module, const std::string& lead);
// The number of lead rows a lead-against-others test gives a module of `leads` leads in a setup
// of `entries` entries: one reading per lead, two (open and grounded) with several modules;
// a module of two leads measures its first lead only.
int32_t LeadAgainstOthersPositions(int32_t leads, int32_t entries);
// The name of such a row: the lead, " --> " and its counterparts, with " (F)" / " (G)" for the
// open and grounded readings when the setup has several modules.
std::string LeadAgainstOthersName(const CModuleEntry& module, int32_t position, int32_t entries);

}  // namespace MResultRows
}  // namespace plugin
