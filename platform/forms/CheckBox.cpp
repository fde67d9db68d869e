#include "platform/forms/CheckBox.h"

#include "platform/ComError.h"
#include "platform/forms/FormErrors.h"

namespace platform::forms {

const char* CheckBox::kind() const { return "CheckBox"; }

void CheckBox::Value_let(int32_t value) {
  if (value < vbUnchecked || value > vbGrayed) {
    throw ComError(errInvalidPropertyValue, name(),
                   "Invalid check box value " + std::to_string(value));
  }
  if (value == m_value) return;
  m_value = value;
  fireChange();
  changed();
}

bool CheckBox::click() {
  if (!available()) return false;
  Value_let(m_value == vbChecked ? vbUnchecked : vbChecked);
  fireClick();
  return true;
}

std::vector<std::string> CheckBox::visibleTexts() const {
  return {std::string(m_value == vbChecked  ? "[x] "
                      : m_value == vbGrayed ? "[-] "
                                            : "[ ] ") +
          Caption_get()};
}

}  // namespace platform::forms
