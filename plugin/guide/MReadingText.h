#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host_api/ILimitStandard.h"
#include "host_api/IMeasurement.h"
#include "host_api/ITestElement.h"
#include "plugin/results/CMeasurement.h"

namespace plugin {

// How the operator dialogs show a reading and the limit it is judged by: one place, so the
// failed-test and the repeat dialogs never disagree about the same reading.
namespace MReadingText {

// A limit as shown: "< 0.3" for a high limit (the reading must stay below it), "> 2" for a low
// limit, with the unit the limit is given in.
struct ShownLimit {
  CMeasurement::LimitKind kind = CMeasurement::LimitKind::High;
  float value = 0;
  std::string unit;
};

// Whether the reading is beyond the measuring range: its value text holds "O" ("OL"), or its
// flags mark an overflowed quantity (whose stored value is the stand-in 99999, no reading).
bool IsOverload(const host_api::IMeasurement& measurement);
// The value as shown: "OL" for an overload, a pass/fail reading's translated verdict, a number by
// `pattern` (the reading's own format when empty); decimal commas become points.
std::string ValueText(const host_api::IMeasurement& measurement, const std::string& pattern = "");
// "< 0.3 Ohm" or "> 2 MOhm"; the unit is left out when empty.
std::string LimitText(const ShownLimit& limit);
// The value with its unit, "OL" without one.
std::string ReadingWithUnit(const host_api::IMeasurement& measurement,
                            const std::string& pattern = "");

// The limit standard of `element` that the reading failed: the one named by the reading's
// failed limit set, else the first of the element's standards that the reading fails. Null when
// there is none.
std::shared_ptr<host_api::ILimitStandard> FailedStandard(
    const std::shared_ptr<host_api::ITestElement>& element,
    const std::shared_ptr<host_api::IMeasurement>& measurement);
// The failed standard, else the first of the element's standards that holds a limit for the
// reading.
std::shared_ptr<host_api::ILimitStandard> JudgingStandard(
    const std::shared_ptr<host_api::ITestElement>& element,
    const std::shared_ptr<host_api::IMeasurement>& measurement);
// The limit of `standard` the reading is shown against: the high limit it exceeds (an overload
// exceeds every high limit), else the low limit it falls short of, else the high limit, else
// the low one. Nothing when the standard holds no limit for the reading.
std::optional<ShownLimit> ViolatedLimit(const CMeasurement& measurement,
                                        const host_api::ILimitStandard& standard);

}  // namespace MReadingText
}  // namespace plugin
