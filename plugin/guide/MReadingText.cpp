#include "plugin/guide/MReadingText.h"

#include <algorithm>

#include "host_api/IStandards.h"
#include "platform/ComError.h"
#include "platform/NumberFormat.h"
#include "platform/NumberPattern.h"

namespace plugin::MReadingText {

namespace {

using host_api::ILimitStandard;
using Kind = CMeasurement::LimitKind;

constexpr const char* OverloadText = "OL";

// The instrument's texts and some locales write decimal commas; the dialogs show points, as the
// limits and the report do.
std::string withPoints(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

std::string numberText(const platform::Variant& value, const std::string& pattern) {
  try {
    if (const auto* single = value.get<float>()) return platform::Format(*single, pattern);
    return platform::Format(value.toDouble(), pattern);
  } catch (const platform::ComError&) {
    return value.toString();  // a pattern the formatter does not know: the plain number
  }
}

std::shared_ptr<host_api::IStandards> standardsOf(
    const std::shared_ptr<host_api::ITestElement>& element) {
  if (!element) return nullptr;
  auto limits = element->Limits_get();
  return limits ? limits->Standards_get() : nullptr;
}

bool holdsLimitFor(const CMeasurement& measurement, const ILimitStandard& standard) {
  std::string unit;
  return measurement.GetReportLimit(Kind::High, standard, unit) ||
         measurement.GetReportLimit(Kind::Low, standard, unit);
}

// The first standard of `element` that `accept` takes.
template <typename Accept>
std::shared_ptr<ILimitStandard> firstStandard(
    const std::shared_ptr<host_api::ITestElement>& element, Accept&& accept) {
  auto standards = standardsOf(element);
  if (!standards) return nullptr;
  for (int32_t p = 1; p <= standards->Count(); ++p) {
    auto standard = standards->Item(p);
    if (standard && accept(*standard)) return standard;
  }
  return nullptr;
}

}  // namespace

bool IsOverload(const host_api::IMeasurement& measurement) {
  if (measurement.Flags_get().find('O') != std::string::npos) return true;
  const platform::Variant value = measurement.Value_get();
  if (value.isNumeric() || value.isEmpty() || value.isNull()) return false;
  return measurement.ValueType_get() != host_api::ValueKind::PassFail &&
         value.toString().find('O') != std::string::npos;
}

std::string ValueText(const host_api::IMeasurement& measurement, const std::string& pattern) {
  if (IsOverload(measurement)) return OverloadText;
  const platform::Variant value = measurement.Value_get();
  if (measurement.ValueType_get() == host_api::ValueKind::PassFail || !value.isNumeric()) {
    return value.isNull() ? std::string() : withPoints(value.toString());
  }
  return withPoints(numberText(value, pattern.empty() ? measurement.ValueFormat_get() : pattern));
}

std::string LimitText(const ShownLimit& limit) {
  std::string text = limit.kind == Kind::High ? "< " : "> ";
  text += withPoints(platform::formatNumber(limit.value));
  if (!limit.unit.empty()) text += " " + limit.unit;
  return text;
}

std::string ReadingWithUnit(const host_api::IMeasurement& measurement, const std::string& pattern) {
  std::string text = ValueText(measurement, pattern);
  const std::string unit = measurement.Unit_get();
  if (text == OverloadText || unit.empty() || text.empty()) return text;
  return text + " " + unit;
}

std::shared_ptr<ILimitStandard> FailedStandard(
    const std::shared_ptr<host_api::ITestElement>& element,
    const std::shared_ptr<host_api::IMeasurement>& measurement) {
  if (!measurement) return nullptr;
  auto record = std::dynamic_pointer_cast<CMeasurement>(measurement);
  const std::string failedSet = record ? record->FailedLimitSet_get() : std::string();
  if (!failedSet.empty()) {
    auto named = firstStandard(
        element, [&](const ILimitStandard& standard) { return standard.Name_get() == failedSet; });
    if (named) return named;
  }
  // A reading judged elsewhere (or before its set was recorded): judge it again here.
  const std::string key = measurement->LimitKey_get();
  const platform::Variant value = record ? record->StoredValue() : measurement->Value_get();
  return firstStandard(element, [&](const ILimitStandard& standard) {
    try {
      return standard.Evaluate(key, value) == host_api::LimitStatus::Failed;
    } catch (const platform::ComError&) {
      return false;
    }
  });
}

std::shared_ptr<ILimitStandard> JudgingStandard(
    const std::shared_ptr<host_api::ITestElement>& element,
    const std::shared_ptr<host_api::IMeasurement>& measurement) {
  if (auto failed = FailedStandard(element, measurement)) return failed;
  auto record = std::dynamic_pointer_cast<CMeasurement>(measurement);
  if (!record) return nullptr;
  return firstStandard(
      element, [&](const ILimitStandard& standard) { return holdsLimitFor(*record, standard); });
}

std::optional<ShownLimit> ViolatedLimit(const CMeasurement& measurement,
                                        const ILimitStandard& standard) {
  std::string highUnit, lowUnit;
  const auto high = measurement.GetReportLimit(Kind::High, standard, highUnit);
  const auto low = measurement.GetReportLimit(Kind::Low, standard, lowUnit);
  const platform::Variant value = measurement.StoredValue();
  const bool numeric =
      value.isNumeric() && measurement.ValueType_get() != host_api::ValueKind::PassFail;
  const bool overload = IsOverload(measurement);
  if (high && (overload || (numeric && value.toDouble() > *high))) {
    return ShownLimit{Kind::High, *high, highUnit};
  }
  if (low && !overload && numeric && value.toDouble() < *low) {
    return ShownLimit{Kind::Low, *low, lowUnit};
  }
  if (high) return ShownLimit{Kind::High, *high, highUnit};
  if (low) return ShownLimit{Kind::Low, *low, lowUnit};
  return std::nullopt;
}

}  // namespace plugin::MReadingText
