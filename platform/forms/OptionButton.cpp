#include "platform/forms/OptionButton.h"

#include "platform/forms/Form.h"

namespace platform::forms {

const char* OptionButton::kind() const { return "OptionButton"; }

void OptionButton::Value_let(bool value) {
  if (value == m_value) return;
  m_value = value;
  if (value && form()) form()->optionSelected(*this);
  fireChange();
  changed();
}

bool OptionButton::click() {
  if (!available()) return false;
  Value_let(true);
  fireClick();
  return true;
}

std::vector<std::string> OptionButton::visibleTexts() const {
  return {std::string(m_value ? "(*) " : "( ) ") + Caption_get()};
}

}  // namespace platform::forms
