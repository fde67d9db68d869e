#include "platform/forms/Button.h"

#include "platform/forms/Form.h"

namespace platform::forms {

const char* Button::kind() const { return "Button"; }

// One default and one cancel button per form: Enter and Esc must never be ambiguous.
void Button::takeRole(bool Button::*role, bool value) {
  if (value && form()) {
    for (const auto& control : form()->controls()) {
      auto* other = dynamic_cast<Button*>(control.get());
      if (other && other != this) other->*role = false;
    }
  }
  this->*role = value;
  changed();
}

void Button::Default_let(bool value) { takeRole(&Button::m_default, value); }

void Button::Cancel_let(bool value) { takeRole(&Button::m_cancel, value); }

}  // namespace platform::forms
