#pragma once

#include "platform/PlatformExport.h"

#include "platform/forms/Control.h"

namespace platform::forms {

// A command button. Its caption may carry an "&" accelerator; Enter clicks the default button
// and Esc the cancel button of the form.
class ORVEL_PLATFORM_API Button : public Control {
 public:
  using Control::Control;
  const char* kind() const override;
  bool canFocus() const override { return true; }

  bool Default_get() const { return m_default; }
  void Default_let(bool value);
  bool Cancel_get() const { return m_cancel; }
  void Cancel_let(bool value);

 private:
  void takeRole(bool Button::*role, bool value);

  bool m_default = false;
  bool m_cancel = false;
};

}  // namespace platform::forms
