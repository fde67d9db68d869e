#pragma once

#include <string>
#include <string_view>

#include "driver/TrxTypes.h"
#include "platform/Object.h"

namespace vti {

// The outcome of one test or calibration: the reading in the test's unit (leakage currents in
// microamperes), its state, the measured component as a unit suffix, and "OL" when the
// instrument had no resistance reading.
class CTrxTestResult : public platform::Object {
 public:
  float Value_get() const { return m_value; }
  ETrxTestState State_get() const { return m_state; }
  const std::string& UnitSuffix_get() const { return m_unitSuffix; }
  const std::string& ValueUnknown_get() const { return m_valueUnknown; }

  // Builds the result from the instrument's reply to `command` ("READ", "MREAD" or "ZERO").
  //
  // A reply that is no reading leaves the result etsNotPerformed with Value 0, so that nothing
  // which looks like a measurement is ever reported for it:
  // - an empty reply;
  // - "!22" (the instrument was still not ready after the last attempt) and every other
  //   refusal except "!21" and "!32": the digits of a refusal code are not a reading;
  // - a reply whose digits and decimal points do not form one number ("1.2.3", "*", "abc").
  void SetResult(std::string_view reply, EMeasType measured, std::string_view command);
  void SetState(ETrxTestState state) { m_state = state; }

 private:
  float m_value = 0;
  ETrxTestState m_state = etsNotPerformed;
  std::string m_unitSuffix;
  std::string m_valueUnknown;
};

}  // namespace vti
