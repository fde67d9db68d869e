#include "platform/NumberPattern.h"

#include <cmath>

#include "platform/ComError.h"
#include "platform/DecimalDigits.h"
#include "platform/NumberFormat.h"

namespace platform {

namespace {
struct Pattern {
  int minInteger = 0;   // "0" places before the point
  int minFraction = 0;  // places after the point up to the last "0"
  int maxFraction = 0;  // all places after the point
  char separator = 0;   // group separator of the integer digits, 0 for none
  size_t groupSize = 0;
};

[[noreturn]] void unknownPattern(std::string_view pattern) {
  throw ComError(RuntimeError::InvalidProcedureCall, "platform",
                 "The display pattern \"" + std::string(pattern) + "\" cannot be used");
}

void readIntegerPlaces(std::string_view places, std::string_view pattern, Pattern& out) {
  size_t sinceSeparator = 0;
  for (char c : places) {
    if (c == '0' || c == '#') {
      out.minInteger += c == '0' ? 1 : 0;
      ++sinceSeparator;
    } else if (c == ' ' || c == ',') {
      out.separator = c;
      sinceSeparator = 0;
    } else {
      unknownPattern(pattern);
    }
  }
  out.groupSize = out.separator ? sinceSeparator : 0;
}

Pattern parse(std::string_view pattern) {
  Pattern out;
  size_t point = pattern.find('.');
  readIntegerPlaces(pattern.substr(0, point), pattern, out);
  if (point == std::string_view::npos) return out;
  std::string_view fraction = pattern.substr(point + 1);
  for (size_t i = 0; i < fraction.size(); ++i) {
    if (fraction[i] != '0' && fraction[i] != '#') unknownPattern(pattern);
    if (fraction[i] == '0') out.minFraction = static_cast<int>(i) + 1;
  }
  out.maxFraction = static_cast<int>(fraction.size());
  return out;
}

std::string grouped(const std::string& digits, const Pattern& pattern) {
  if (!pattern.separator || pattern.groupSize == 0) return digits;
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % pattern.groupSize == 0) out += pattern.separator;
    out += digits[i];
  }
  return out;
}

std::string render(const DecimalDigits& decimal, const Pattern& pattern) {
  std::string integer = decimal.integerPart();
  if (static_cast<int>(integer.size()) < pattern.minInteger)
    integer.insert(0, static_cast<size_t>(pattern.minInteger) - integer.size(), '0');
  std::string fraction = decimal.fractionPart(pattern.maxFraction);
  while (static_cast<int>(fraction.size()) > pattern.minFraction && fraction.back() == '0')
    fraction.pop_back();
  if (integer.empty() && fraction.empty()) return "0";
  std::string text = grouped(integer, pattern);
  return fraction.empty() ? text : text + "." + fraction;
}

template <typename T>
std::string formatWith(T value, std::string_view patternText) {
  if (patternText.empty()) return formatNumber(value);
  const Pattern pattern = parse(patternText);
  if (std::isnan(value) || std::isinf(value)) return formatNumber(value);
  DecimalDigits decimal = DecimalDigits::of(std::fabs(value));
  decimal.roundTo(pattern.maxFraction);
  std::string text = render(decimal, pattern);
  return std::signbit(value) && !decimal.isZero() ? "-" + text : text;
}
}  // namespace

std::string Format(double value, std::string_view pattern) { return formatWith(value, pattern); }
std::string Format(float value, std::string_view pattern) { return formatWith(value, pattern); }

}  // namespace platform
