#pragma once

#include "platform/PlatformExport.h"

#include <string>

#include "platform/forms/Control.h"

namespace platform::forms {

// A one-line text field. Every typed key passes the KeyPress handlers first, which may refuse
// it; an accepted key changes the text and fires Change.
class ORVEL_PLATFORM_API TextBox : public Control {
 public:
  using Control::Control;
  const char* kind() const override;
  bool canFocus() const override { return true; }

  const std::string& Text_get() const { return m_text; }
  void Text_let(std::string text);
  // 0: no limit.
  int32_t MaxLength_get() const { return m_maxLength; }
  void MaxLength_let(int32_t length) { m_maxLength = length; }
  bool Locked_get() const { return m_locked; }
  void Locked_let(bool locked) { m_locked = locked; }

  // Printable characters append, backspace removes the last character.
  bool typeKey(int key) override;
  std::vector<std::string> visibleTexts() const override;

 private:
  std::string m_text;
  int32_t m_maxLength = 0;
  bool m_locked = false;
};

}  // namespace platform::forms
