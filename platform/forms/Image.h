#pragma once

#include "platform/PlatformExport.h"

#include <string>

#include "platform/forms/Control.h"

namespace platform::forms {

// A picture, named after its picture resource ("information", "error", a bitmap's name).
class ORVEL_PLATFORM_API Image : public Control {
 public:
  using Control::Control;
  const char* kind() const override;

  const std::string& Picture_get() const { return m_picture; }
  void Picture_let(std::string picture);

  std::vector<std::string> visibleTexts() const override;

 private:
  std::string m_picture;
};

}  // namespace platform::forms
