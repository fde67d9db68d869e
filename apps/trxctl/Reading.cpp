#include "apps/trxctl/Reading.h"

#include <charconv>

#include "apps/common/EnumNames.h"
#include "platform/NumberPattern.h"

namespace trxctl {

namespace {

Reading::Kind kindOf(vti::ETrxTestCode code, const vti::CTrxTestResult& result) {
  const vti::ETrxTestState state = result.State_get();
  // "OL" arrives with a completed test: the analyzer answered, it just had no number to give.
  if (!result.ValueUnknown_get().empty() || state == vti::etsOverflow)
    return Reading::Kind::OverRange;
  if (state != vti::etsCompleted) return Reading::Kind::None;
  // The ECG test puts out a waveform and reads nothing.
  if (code == vti::etcECGTest) return Reading::Kind::Waveform;
  return Reading::Kind::Measured;
}

// How many fraction digits the shortest fixed-point text of `value` has (3.5f: 1, 10.4f: 1,
// 620.0f: 0). Fixed, not scientific, so that 0.00001 counts its five digits.
size_t sentFractionDigits(float value) {
  char text[128];
  auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  if (written.ec != std::errc()) return 0;  // not a number or infinite: nothing to keep
  std::string_view digits(text, written.ptr - text);
  size_t point = digits.find('.');
  return point == std::string_view::npos ? 0 : digits.size() - point - 1;
}

}  // namespace

Reading::Reading(vti::ETrxTestCode code, const vti::CTrxTestResult& result)
    : m_kind(kindOf(code, result)),
      m_value(result.Value_get()),
      m_unitSuffix(result.UnitSuffix_get()),
      m_valueUnknown(result.ValueUnknown_get()) {}

std::string Reading::formatValue(float value, std::string_view pattern) {
  const size_t sent = sentFractionDigits(value);
  const size_t point = pattern.find('.');
  const size_t shown = point == std::string_view::npos ? 0 : pattern.size() - point - 1;
  if (sent <= shown) return platform::Format(value, pattern);
  // The pattern's integer part keeps its grouping; the fraction gets every digit that was sent.
  std::string widened(pattern.substr(0, point));
  widened += '.' + std::string(sent, '0');
  return platform::Format(value, widened);
}

std::string Reading::text(const std::string& unit, std::string_view pattern) const {
  switch (m_kind) {
    case Kind::Measured: {
      std::string shown = formatValue(m_value, pattern) + ' ' + apps::EnumNames::unitSymbol(unit);
      if (!m_unitSuffix.empty()) shown += ' ' + m_unitSuffix;
      return shown;
    }
    case Kind::OverRange: {
      const std::string& sent = m_valueUnknown;
      return (sent.empty() ? std::string("overflow") : sent) + ": over range, no reading";
    }
    case Kind::Waveform:
      return "waveform put out";
    case Kind::None:
      break;
  }
  return "no reading";
}

}  // namespace trxctl
