#pragma once

#include <string>
#include <string_view>

#include "driver/CTrxTestResult.h"
#include "driver/TrxTypes.h"

namespace trxctl {

// What the result of one test tells a person or a script: a measured value, no value because the
// quantity was beyond what the analyzer can measure ("OL", an overflow), the ECG test's waveform,
// or nothing at all (the test was stopped or ended in an error).
class Reading {
 public:
  enum class Kind { Measured, OverRange, Waveform, None };

  Reading(vti::ETrxTestCode code, const vti::CTrxTestResult& result);

  Kind kind() const { return m_kind; }
  // The text that stands for the value: "3.5 µA AC", "OL: over range, no reading",
  // "waveform put out", "no reading". `unit` is the driver's ASCII unit ("uA").
  std::string text(const std::string& unit, std::string_view pattern) const;

  // The one way trxctl shows a value: by the test's display pattern ("# ##0.0"), but never with
  // fewer fraction digits than the shortest decimal text of the value the analyzer sent, so that
  // 3.5 uA under "# ##0" shows as "3.5", not as "4".
  static std::string formatValue(float value, std::string_view pattern);

 private:
  Kind m_kind;
  float m_value;
  std::string m_unitSuffix;
  std::string m_valueUnknown;
};

}  // namespace trxctl
