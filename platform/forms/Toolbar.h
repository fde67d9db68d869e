#pragma once

#include "platform/PlatformExport.h"

#include <deque>
#include <functional>
#include <string>

#include "platform/forms/Control.h"

namespace platform::forms {

struct ORVEL_PLATFORM_API ToolbarButton {
  std::string key;
  std::string caption;
  std::string toolTip;
  bool enabled = true;
  bool visible = true;
};

// A row of buttons identified by their keys; a click on an enabled one fires ButtonClick.
class ORVEL_PLATFORM_API Toolbar : public Control {
 public:
  using Control::Control;
  const char* kind() const override;

  ToolbarButton& addButton(std::string key, std::string caption);
  const std::deque<ToolbarButton>& buttons() const { return m_buttons; }
  ToolbarButton* findButton(const std::string& key);
  void setButtonEnabled(const std::string& key, bool enabled);

  void onButtonClick(std::function<void(ToolbarButton&)> handler) {
    m_buttonClick.connect(std::move(handler));
  }

  // Clicks the button with that key or caption.
  bool chooseItem(const std::string& keyOrCaption) override;
  std::vector<std::string> visibleTexts() const override;
  void translateCaptions(const Translator& translate) override;

 private:
  std::deque<ToolbarButton> m_buttons;
  Event<ToolbarButton&> m_buttonClick;
};

}  // namespace platform::forms
