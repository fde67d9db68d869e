#pragma once

#include "platform/PlatformExport.h"

#include <string>
#include <vector>

#include "platform/forms/Layout.h"

namespace platform::forms {

class Control;
class Form;

// Turns a form into the lines of text a terminal shows: the caption, the controls after the
// form's layout (or in the order they were added, buttons last), and a line naming the keys.
// Buttons show their accelerator in brackets ("[C]ontinue", "Stop [T]est"); the focused
// control is marked with ">". No line is wider than `width` columns.
class ORVEL_PLATFORM_API ConsoleRenderer {
 public:
  explicit ConsoleRenderer(int width) : m_width(width < 20 ? 20 : width) {}

  std::vector<std::string> render(const Form& form) const;

  // Number of terminal columns a UTF-8 text takes.
  static size_t columns(const std::string& text);

 private:
  std::vector<std::string> renderLayout(const Form& form, const Layout& layout, int width) const;
  std::vector<std::string> renderControl(const Form& form, const Control& control, int width) const;
  std::vector<std::string> keyLegend(const Form& form) const;

  int m_width;
};

}  // namespace platform::forms
