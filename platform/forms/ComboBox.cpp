#include "platform/forms/ComboBox.h"

#include "platform/ComError.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/ItemMatch.h"

namespace platform::forms {

const char* ComboBox::kind() const { return "ComboBox"; }

void ComboBox::addItem(std::string item) {
  m_items.push_back(std::move(item));
  changed();
}

void ComboBox::clear() {
  m_items.clear();
  ListIndex_let(-1);
}

const std::string& ComboBox::List_get(int32_t index) const {
  if (index < 0 || index >= ListCount_get()) {
    throw ComError(errNoSuchElement, name(), "No item " + std::to_string(index) + " in " + name());
  }
  return m_items[static_cast<size_t>(index)];
}

void ComboBox::ListIndex_let(int32_t index) {
  if (index < -1 || index >= ListCount_get()) {
    throw ComError(errInvalidPropertyValue, name(),
                   "No item " + std::to_string(index) + " in " + name());
  }
  if (index == m_listIndex) return;
  m_listIndex = index;
  fireClick();
  fireChange();
  changed();
}

std::string ComboBox::Text_get() const {
  return m_listIndex < 0 ? std::string() : m_items[static_cast<size_t>(m_listIndex)];
}

bool ComboBox::chooseItem(const std::string& text) {
  if (!available()) return false;
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (matchesItem({}, m_items[i], text)) {
      ListIndex_let(static_cast<int32_t>(i));
      return true;
    }
  }
  return false;
}

std::vector<std::string> ComboBox::visibleTexts() const { return {Text_get()}; }

}  // namespace platform::forms
