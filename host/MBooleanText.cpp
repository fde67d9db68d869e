#include "host/MBooleanText.h"

#include <algorithm>
#include <cctype>

#include "platform/TextTools.h"

namespace host::MBooleanText {

std::optional<bool> parse(const std::string& text) {
  std::string lower = platform::trim(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower == "true" || lower == "-1" || lower == "1") return true;
  if (lower == "false" || lower == "0") return false;
  return std::nullopt;
}

}  // namespace host::MBooleanText
