#include "platform/forms/TabStrip.h"

#include "platform/ComError.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/ItemMatch.h"

namespace platform::forms {

const char* TabStrip::kind() const { return "TabStrip"; }

void TabStrip::addTab(std::string key, std::string caption) {
  m_tabs.push_back({std::move(key), std::move(caption)});
  if (m_selected < 0) m_selected = 0;
  changed();
}

void TabStrip::SelectedIndex_let(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(m_tabs.size())) {
    throw ComError(errInvalidPropertyValue, name(),
                   "No tab " + std::to_string(index) + " in " + name());
  }
  if (index == m_selected) return;
  m_selected = index;
  changed();
  fireClick();
}

bool TabStrip::chooseItem(const std::string& keyOrCaption) {
  if (!available()) return false;
  for (size_t i = 0; i < m_tabs.size(); ++i) {
    if (matchesItem(m_tabs[i].key, m_tabs[i].caption, keyOrCaption)) {
      SelectedIndex_let(static_cast<int32_t>(i));
      return true;
    }
  }
  return false;
}

std::vector<std::string> TabStrip::visibleTexts() const {
  std::vector<std::string> texts;
  for (const auto& tab : m_tabs) texts.push_back(tab.caption);
  return texts;
}

void TabStrip::translateCaptions(const Translator& translate) {
  Control::translateCaptions(translate);
  for (auto& tab : m_tabs) tab.caption = translate(tab.caption);
  changed();
}

}  // namespace platform::forms
