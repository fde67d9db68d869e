#include "platform/forms/Button.h"

#include "platform/forms/Form.h"

namespace platform::forms {

void Button::Default_let(bool value) {
  // One default button per form: Enter must never be ambiguous.
  if (value && form()) {
    for (const auto& control : form()->controls()) {
      auto* other = dynamic_cast<Button*>(control.get());
      if (other && other != this) other->m_default = false;
    }
  }
  m_default = value;
  changed();
}

void Button::Cancel_let(bool value) {
  if (value && form()) {
    for (const auto& control : form()->controls()) {
      auto* other = dynamic_cast<Button*>(control.get());
      if (other && other != this) other->m_cancel = false;
    }
  }
  m_cancel = value;
  changed();
}

}  // namespace platform::forms
