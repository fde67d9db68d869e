#include "platform/forms/Toolbar.h"

#include "platform/ComError.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/ItemMatch.h"

namespace platform::forms {

const char* Toolbar::kind() const { return "Toolbar"; }

ToolbarButton& Toolbar::addButton(std::string key, std::string caption) {
  ToolbarButton& button = m_buttons.emplace_back();
  button.key = std::move(key);
  button.caption = std::move(caption);
  changed();
  return button;
}

ToolbarButton* Toolbar::findButton(const std::string& key) {
  for (auto& button : m_buttons) {
    if (button.key == key) return &button;
  }
  return nullptr;
}

void Toolbar::setButtonEnabled(const std::string& key, bool enabled) {
  ToolbarButton* button = findButton(key);
  if (!button) throw ComError(errElementNotFound, name(), "No button " + key + " in " + name());
  button->enabled = enabled;
  changed();
}

bool Toolbar::chooseItem(const std::string& keyOrCaption) {
  if (!available()) return false;
  for (auto& button : m_buttons) {
    if (!matchesItem(button.key, button.caption, keyOrCaption)) continue;
    if (!button.enabled || !button.visible) return false;
    m_buttonClick(button);
    return true;
  }
  return false;
}

std::vector<std::string> Toolbar::visibleTexts() const {
  std::vector<std::string> texts;
  for (const auto& button : m_buttons) {
    if (button.visible) texts.push_back(button.caption);
  }
  return texts;
}

void Toolbar::translateCaptions(const Translator& translate) {
  Control::translateCaptions(translate);
  for (auto& button : m_buttons) {
    if (!button.caption.empty()) button.caption = translate(button.caption);
    if (!button.toolTip.empty()) button.toolTip = translate(button.toolTip);
  }
  changed();
}

}  // namespace platform::forms
