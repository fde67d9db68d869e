#include "platform/forms/AcceleratorKey.h"

#include <cctype>

namespace platform::forms {

char acceleratorKey(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

std::string displayCaption(const std::string& caption) {
  std::string out;
  out.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) {
      out += caption[i + 1] == '&' ? "&" : std::string(1, caption[i + 1]);
      ++i;
      continue;
    }
    if (caption[i] != '&') out += caption[i];
  }
  return out;
}

}  // namespace platform::forms
