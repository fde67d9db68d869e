#include "platform/ComError.h"

#include <cstdio>

namespace platform {

ComError::ComError(int32_t number, std::string source, std::string description,
                   std::string helpFile, int32_t helpContext)
    : m_number(number),
      m_source(std::move(source)),
      m_description(std::move(description)),
      m_helpFile(std::move(helpFile)),
      m_helpContext(helpContext) {
  m_what = m_description + " (" + errorNumberText(m_number) + ", " + m_source + ")";
}

const char* ComError::what() const noexcept { return m_what.c_str(); }

std::string errorNumberText(int32_t number) {
  if (number >= 0 && number < 0x10000) return std::to_string(number);
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<uint32_t>(number));
  return buf;
}

}  // namespace platform
