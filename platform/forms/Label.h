#pragma once

#include "platform/forms/Control.h"

namespace platform::forms {

// A text on the form. It can be clicked (a label beside a check box toggles it).
class Label : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "Label"; }
};

}  // namespace platform::forms
