#include "platform/forms/ProgressBar.h"

#include <algorithm>

#include "platform/ComError.h"
#include "platform/forms/FormErrors.h"

namespace platform::forms {

const char* ProgressBar::kind() const { return "ProgressBar"; }

void ProgressBar::setRange(int32_t min, int32_t max) {
  if (min >= max) {
    throw ComError(errInvalidPropertyValue, name(),
                   "The range of " + name() + " must have its minimum below its maximum");
  }
  m_min = min;
  m_max = max;
  m_value = std::clamp(m_value, m_min, m_max);
  changed();
}

void ProgressBar::Value_let(int32_t value) {
  if (value < m_min || value > m_max) {
    throw valueOutOfRange(name(), value, m_min, m_max);
  }
  m_value = value;
  changed();
}

int32_t ProgressBar::percent() const {
  return static_cast<int32_t>((int64_t(m_value) - m_min) * 100 / (int64_t(m_max) - m_min));
}

std::vector<std::string> ProgressBar::visibleTexts() const {
  return {std::to_string(percent()) + "%"};
}

}  // namespace platform::forms
