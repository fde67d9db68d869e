#include "platform/forms/Control.h"

#include "platform/forms/Form.h"

namespace platform::forms {

Control::Control(std::string name) : m_name(std::move(name)) {}

void Control::Caption_let(std::string caption) {
  if (caption == m_caption) return;
  m_caption = std::move(caption);
  changed();
}

void Control::Visible_let(bool visible) {
  if (visible == m_visible) return;
  m_visible = visible;
  changed();
}

void Control::Enabled_let(bool enabled) {
  if (enabled == m_enabled) return;
  m_enabled = enabled;
  enabledChanged();
  changed();
}

void Control::ToolTipText_let(std::string text) {
  m_toolTip = std::move(text);
  changed();
}

void Control::ForeColor_let(int32_t colour) {
  m_foreColor = colour;
  changed();
}

void Control::BackColor_let(int32_t colour) {
  m_backColor = colour;
  changed();
}

bool Control::click() {
  if (!available()) return false;
  fireClick();
  return true;
}

bool Control::typeKey(int key) {
  if (!available()) return false;
  return offerKey(key);
}

bool Control::chooseItem(const std::string&) { return false; }

std::vector<std::string> Control::visibleTexts() const {
  if (m_caption.empty()) return {};
  return {m_caption};
}

void Control::translateCaptions(const Translator& translate) {
  if (!m_caption.empty()) Caption_let(translate(m_caption));
  if (!m_toolTip.empty()) ToolTipText_let(translate(m_toolTip));
}

void Control::changed() {
  if (m_form) m_form->controlChanged();
}

bool Control::offerKey(int& key) {
  m_keyPress(key);
  return key != 0;
}

Control::~Control() = default;

}  // namespace platform::forms
