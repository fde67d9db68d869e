#include "platform/forms/TextBox.h"

namespace platform::forms {

const char* TextBox::kind() const { return "TextBox"; }

void TextBox::Text_let(std::string text) {
  if (text == m_text) return;
  m_text = std::move(text);
  fireChange();
  changed();
}

bool TextBox::typeKey(int key) {
  if (!available() || m_locked) return false;
  if (!offerKey(key)) return false;
  std::string text = m_text;
  if (key == kKeyBackspace) {
    if (text.empty()) return false;
    // Remove a whole UTF-8 character, never half of one.
    size_t end = text.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.erase(end);
  } else if (key >= 32 && key < 256) {
    if (m_maxLength > 0 && static_cast<int32_t>(text.size()) >= m_maxLength) return false;
    text += static_cast<char>(key);
  } else {
    return false;
  }
  Text_let(std::move(text));
  return true;
}

std::vector<std::string> TextBox::visibleTexts() const { return {m_text}; }

}  // namespace platform::forms
