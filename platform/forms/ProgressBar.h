#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>

#include "platform/forms/Control.h"

namespace platform::forms {

// Shows how far something has come between a minimum and a maximum.
class ORVEL_PLATFORM_API ProgressBar : public Control {
 public:
  using Control::Control;
  const char* kind() const override;

  int32_t Min_get() const { return m_min; }
  int32_t Max_get() const { return m_max; }
  // Minimum below maximum, else ComError 380.
  void setRange(int32_t min, int32_t max);
  int32_t Value_get() const { return m_value; }
  // A value outside the range throws ComError 380.
  void Value_let(int32_t value);
  // 0 to 100.
  int32_t percent() const;

  std::vector<std::string> visibleTexts() const override;

 private:
  int32_t m_min = 0;
  int32_t m_max = 100;
  int32_t m_value = 0;
};

}  // namespace platform::forms
