#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>

#include "platform/forms/Control.h"

namespace platform::forms {

enum CheckValue : int32_t { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };

// A check box: clicking toggles it between unchecked and checked, then fires Click.
class ORVEL_PLATFORM_API CheckBox : public Control {
 public:
  using Control::Control;
  const char* kind() const override;
  bool canFocus() const override { return true; }

  int32_t Value_get() const { return m_value; }
  void Value_let(int32_t value);

  bool click() override;
  std::vector<std::string> visibleTexts() const override;

 private:
  int32_t m_value = vbUnchecked;
};

}  // namespace platform::forms
