#include "platform/MessageText.h"

#include <cctype>

namespace platform {

MessageText MessageText::parse(std::string_view raw) {
  size_t sep = raw.find("::");
  if (sep != std::string_view::npos && sep > 0 && sep <= 9) {
    bool digits = true;
    for (size_t i = 0; i < sep; ++i)
      digits = digits && std::isdigit(static_cast<unsigned char>(raw[i]));
    if (digits)
      return {std::stoi(std::string(raw.substr(0, sep))), std::string(raw.substr(sep + 2))};
  }
  return {std::nullopt, std::string(raw)};
}

std::string fillPlaceholders(std::string text, const Parameters& params) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text.compare(i, 2, "%%") == 0 && i + 2 < text.size() &&
        std::isdigit(static_cast<unsigned char>(text[i + 2]))) {
      size_t j = i + 2;
      size_t n = 0;
      while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])) && n < 1000) {
        n = n * 10 + static_cast<size_t>(text[j] - '0');
        ++j;
      }
      if (n >= 1 && n <= params.size()) {
        out += params[n - 1].toString();
        i = j;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

std::string expandLineBreaks(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += '\n';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace platform
