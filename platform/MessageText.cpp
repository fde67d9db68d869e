#include "platform/MessageText.h"

#include <cctype>

namespace platform {

namespace {
// ASCII only: what counts as a letter must not change with the process locale.
bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

bool isMessageId(std::string_view id) {
  size_t letters = 0;
  while (letters < id.size() && isAsciiLetter(id[letters])) ++letters;
  std::string_view digits = id.substr(letters);
  return letters <= 8 && !digits.empty() && digits.size() <= 9 &&
         digits.find_first_not_of("0123456789") == std::string_view::npos;
}

MessageText MessageText::parse(std::string_view raw) {
  size_t sep = raw.find("::");
  if (sep != std::string_view::npos && isMessageId(raw.substr(0, sep)))
    return {std::string(raw.substr(0, sep)), std::string(raw.substr(sep + 2))};
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
