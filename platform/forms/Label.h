#pragma once

#include "platform/PlatformExport.h"

#include "platform/forms/Control.h"

namespace platform::forms {

// A text on the form. It can be clicked (a label beside a check box toggles it).
class ORVEL_PLATFORM_API Label : public Control {
 public:
  using Control::Control;
  const char* kind() const override;
};

}  // namespace platform::forms
