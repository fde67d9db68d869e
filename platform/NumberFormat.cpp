#include "platform/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
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
}  // namespace

std::string formatNumber(double value) { return shortestText(value); }
std::string formatNumber(float value) { return shortestText(value); }
std::string formatNumber(int32_t value) { return std::to_string(value); }

std::optional<double> leadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  // An exponent counts only when digits follow it.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
      while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
      i = j;
    }
  }
  std::string number(text.substr(start, i - start));
  return std::strtod(number.c_str(), nullptr);
}

int32_t roundToLong(double value) {
  double rounded = std::nearbyint(value);  // default rounding mode: to nearest, ties to even
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
    throw ComError(RuntimeError::Overflow, "platform", "Overflow");
  }
  return static_cast<int32_t>(rounded);
}

}  // namespace platform
