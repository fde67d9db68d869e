#include "driver/CTrxTestResult.h"

#include <charconv>
#include <limits>
#include <optional>

#include "driver/MError.h"
#include "driver/MResources.h"

namespace vti {

namespace {

constexpr int32_t kUnitSuffixAC = 21100;
constexpr int32_t kUnitSuffixDC = 21101;
constexpr double kMilliToMicro = 1000.0;

// The reply line without its line end (and without blanks the instrument may pad it with).
std::string_view withoutLineEnd(std::string_view reply) {
  size_t last = reply.find_last_not_of(" \t\r\n");
  return last == std::string_view::npos ? std::string_view() : reply.substr(0, last + 1);
}

// The number formed by the digits and decimal points of `reply`, every other character dropped:
// "0.123 mA" gives 0.123, "-5.0" gives 5 and "1 234 uA" gives 1234. Nothing when those
// characters do not form exactly one number.
std::optional<double> readingOf(std::string_view reply) {
  std::string kept;
  for (char c : reply) {
    if ((c >= '0' && c <= '9') || c == '.') kept += c;
  }
  if (kept.find_first_of("0123456789") == std::string::npos) return std::nullopt;
  double value = 0;
  auto [end, ec] =
      std::from_chars(kept.data(), kept.data() + kept.size(), value, std::chars_format::fixed);
  if (ec != std::errc() || end != kept.data() + kept.size()) return std::nullopt;
  return value;
}

std::string unitSuffix(EMeasType measured) {
  if (measured == emt_AC) return MError::TranslateText(MResources::LoadResString(kUnitSuffixAC));
  if (measured == emt_DC) return MError::TranslateText(MResources::LoadResString(kUnitSuffixDC));
  return {};
}

}  // namespace

void CTrxTestResult::SetResult(std::string_view reply, EMeasType measured,
                               std::string_view command) {
  // Start from nothing, so that no part of an earlier result survives a reply that is no
  // reading.
  m_state = etsNotPerformed;
  m_value = 0;
  m_unitSuffix.clear();
  m_valueUnknown.clear();

  std::string_view line = withoutLineEnd(reply);
  if (line.empty()) return;
  if (line == "!21") {
    m_state = etsOverflow;
    return;
  }
  const bool noResistance = line == "!32";
  if (noResistance) {
    m_valueUnknown = "OL";
  } else {
    if (line.front() == '!') return;
    std::optional<double> value = readingOf(line);
    if (!value) return;
    // The instrument switches to milliamperes for large currents; results are in microamperes.
    if (line.find("mA") != std::string_view::npos) *value *= kMilliToMicro;
    // A number beyond what the result can hold is garbage on the line, not a reading.
    if (*value > std::numeric_limits<float>::max()) return;
    m_value = static_cast<float>(*value);
  }
  m_unitSuffix = unitSuffix(measured);
  m_state = noResistance && command == "ZERO" ? etsOverflow : etsCompleted;
}

}  // namespace vti
