#include "platform/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "platform/ComError.h"

namespace platform {

namespace {
template <typename T>
std::string shortestText(T value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  if (value == 0) return "0";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Moves `i` past the decimal digits at it and returns how many there were.
size_t skipDigits(std::string_view text, size_t& i) {
  size_t from = i;
  while (i < text.size() && isDigit(text[i])) ++i;
  return i - from;
}

// from_chars leaves the value alone when it is beyond a double; such a text reads as infinity
// (too large) or zero (too small), as it would by any other reading.
double outOfRange(std::string_view digits) {
  size_t exponent = digits.find_first_of("eE");
  bool tiny = exponent != std::string_view::npos && digits.substr(exponent + 1).front() == '-';
  return tiny ? 0.0 : std::numeric_limits<double>::infinity();
}

// A whole number as T; beyond T's range (NaN included) is run-time error 6, never a cut value.
template <typename T>
T inRange(double whole) {
  if (!(whole >= std::numeric_limits<T>::min() && whole <= std::numeric_limits<T>::max())) {
    throw ComError(RuntimeError::Overflow, "platform", "Overflow");
  }
  return static_cast<T>(whole);
}
}  // namespace

std::string formatNumber(double value) { return shortestText(value); }
std::string formatNumber(float value) { return shortestText(value); }
std::string formatNumber(int32_t value) { return std::to_string(value); }
std::string formatNumber(int16_t value) { return std::to_string(value); }

std::optional<double> leadingNumber(std::string_view text) {
  size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return std::nullopt;
  const bool negative = text[i] == '-';
  if (negative || text[i] == '+') ++i;
  const size_t start = i;
  size_t digits = skipDigits(text, i);
  if (i < text.size() && text[i] == '.') digits += skipDigits(text, ++i);
  if (digits == 0) return std::nullopt;
  // An exponent counts only when digits follow it.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (skipDigits(text, j) > 0) i = j;
  }
  // from_chars ignores the process locale: a desktop front end that sets a German locale must
  // still read "13.5" as thirteen and a half.
  double value = 0;
  auto read = std::from_chars(text.data() + start, text.data() + i, value);
  if (read.ec == std::errc::result_out_of_range) value = outOfRange(text.substr(start, i - start));
  return negative ? -value : value;
}

int32_t roundToLong(double value) {
  return inRange<int32_t>(std::nearbyint(value));  // default rounding mode: ties to even
}

int32_t truncateToLong(double value) { return inRange<int32_t>(std::trunc(value)); }

int16_t roundToInteger(double value) { return inRange<int16_t>(std::nearbyint(value)); }

}  // namespace platform
