#include "platform/DecimalDigits.h"

#include <charconv>

namespace platform {

namespace {
template <typename T>
DecimalDigits shortest(T magnitude, DecimalDigits (*read)(const char*, const char*)) {
  char text[64];
  auto written = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
  return read(text, written.ptr);
}
}  // namespace

DecimalDigits DecimalDigits::of(double magnitude) { return shortest(magnitude, &fromScientific); }
DecimalDigits DecimalDigits::of(float magnitude) { return shortest(magnitude, &fromScientific); }

// "d.ddde+XX" (the only form to_chars writes in scientific notation) -> digits and point.
DecimalDigits DecimalDigits::fromScientific(const char* first, const char* last) {
  std::string digits;
  const char* p = first;
  for (; p != last && *p != 'e'; ++p) {
    if (*p != '.') digits += *p;
  }
  int exponent = 0;
  if (p != last && ++p != last && *p == '+') ++p;  // from_chars takes a "-" but no "+"
  std::from_chars(p, last, exponent);
  return DecimalDigits(digits, exponent + 1);
}

void DecimalDigits::roundTo(int decimals) {
  const long keep = static_cast<long>(m_point) + decimals;
  if (keep < 0) {  // even the first digit lies beyond the places kept: below half of the last
    m_digits = "0";
    m_point = 1;
    return;
  }
  if (keep >= static_cast<long>(m_digits.size())) return;
  const bool up = m_digits[static_cast<size_t>(keep)] >= '5';
  m_digits.resize(static_cast<size_t>(keep));
  if (up) carry();
  if (m_digits.empty()) m_digits = "0";
}

void DecimalDigits::carry() {
  for (auto it = m_digits.rbegin(); it != m_digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  m_digits.insert(m_digits.begin(), '1');
  ++m_point;
}

char DecimalDigits::digitAt(int index) const {
  return index >= 0 && index < static_cast<int>(m_digits.size())
             ? m_digits[static_cast<size_t>(index)]
             : '0';
}

std::string DecimalDigits::integerPart() const {
  std::string out;
  for (int i = 0; i < m_point; ++i) {
    char digit = digitAt(i);
    if (!out.empty() || digit != '0') out += digit;
  }
  return out;
}

std::string DecimalDigits::fractionPart(int count) const {
  std::string out;
  for (int i = 0; i < count; ++i) out += digitAt(m_point + i);
  return out;
}

}  // namespace platform
