#pragma once

#include <string>
#include <utility>

namespace platform {

// The magnitude of a number as the decimal text people read: the shortest digits that read back
// to the same value, so that 2.25 and 0.1f are the decimals 2.25 and 0.1 and not the binary
// fractions behind them. Value = 0.<digits> x 10^point.
class DecimalDigits {
 public:
  static DecimalDigits of(double magnitude);
  static DecimalDigits of(float magnitude);

  // Rounds to `decimals` places after the point, halves away from zero ("2.25" -> "2.3",
  // "0.0005" -> "0.001" at three places).
  void roundTo(int decimals);

  bool isZero() const { return m_digits.find_first_not_of('0') == std::string::npos; }
  // The digits before the point without leading zeros ("" for a value below 1).
  std::string integerPart() const;
  // The first `count` digits after the point, zeros where the value has none.
  std::string fractionPart(int count) const;

 private:
  DecimalDigits(std::string digits, int point) : m_digits(std::move(digits)), m_point(point) {}
  static DecimalDigits fromScientific(const char* first, const char* last);
  void carry();
  char digitAt(int index) const;

  std::string m_digits;
  int m_point;
};

}  // namespace platform
