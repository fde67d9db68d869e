#pragma once

#include "platform/PlatformExport.h"

#include <string>

#include "platform/forms/Control.h"

namespace platform::forms {

// An option button; selecting one clears the others of the same group on its form.
class ORVEL_PLATFORM_API OptionButton : public Control {
 public:
  using Control::Control;
  const char* kind() const override;
  bool canFocus() const override { return true; }

  bool Value_get() const { return m_value; }
  void Value_let(bool value);
  const std::string& Group_get() const { return m_group; }
  void Group_let(std::string group) { m_group = std::move(group); }

  bool click() override;
  std::vector<std::string> visibleTexts() const override;

 private:
  bool m_value = false;
  std::string m_group;
};

}  // namespace platform::forms
