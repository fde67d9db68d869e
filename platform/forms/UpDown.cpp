#include "platform/forms/UpDown.h"

#include <algorithm>

#include "platform/ComError.h"
#include "platform/NumberFormat.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/TextBox.h"

namespace platform::forms {

const char* UpDown::kind() const { return "UpDown"; }

void UpDown::Min_let(int32_t value) {
  m_min = value;
  if (m_max < m_min) m_max = m_min;
  Value_let(std::clamp(m_value, m_min, m_max));
}

void UpDown::Max_let(int32_t value) {
  m_max = value;
  if (m_min > m_max) m_min = m_max;
  Value_let(std::clamp(m_value, m_min, m_max));
}

void UpDown::Value_let(int32_t value) {
  if (value < m_min || value > m_max) {
    throw valueOutOfRange(name(), value, m_min, m_max);
  }
  if (value == m_value) return;
  m_value = value;
  showInBuddy();
  fireChange();
  changed();
}

void UpDown::BuddyControl_let(std::string name) {
  m_buddy = std::move(name);
  showInBuddy();
}

void UpDown::showInBuddy() {
  if (m_buddy.empty() || !form()) return;
  if (auto* buddy = dynamic_cast<TextBox*>(form()->find(m_buddy))) {
    buddy->Text_let(std::to_string(m_value));
  }
}

bool UpDown::step(int64_t delta) {
  if (!available()) return false;
  int64_t next = std::clamp<int64_t>(int64_t(m_value) + delta, m_min, m_max);
  if (next == m_value) return false;
  Value_let(static_cast<int32_t>(next));
  return true;
}

bool UpDown::up() { return step(m_increment); }
bool UpDown::down() { return step(-int64_t(m_increment)); }

bool UpDown::chooseItem(const std::string& value) {
  auto number = leadingNumber(value);
  if (!available() || !number || *number < m_min || *number > m_max) return false;
  Value_let(roundToLong(*number));
  return true;
}

std::vector<std::string> UpDown::visibleTexts() const { return {std::to_string(m_value)}; }

}  // namespace platform::forms
