#include "host/MLimitText.h"

#include <charconv>
#include <cmath>

#include "platform/NumberFormat.h"
#include "platform/TextTools.h"

namespace host::MLimitText {

namespace {

// from_chars takes no leading "+"; a person writing "+5" means 5.
std::string_view withoutPlus(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

}  // namespace

std::optional<float> parseSingle(std::string_view text) {
  text = withoutPlus(platform::trimmed(text));
  if (text.empty()) return std::nullopt;
  float value = 0;
  auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<int32_t> parseLong(std::string_view text) {
  text = withoutPlus(platform::trimmed(text));
  if (text.empty()) return std::nullopt;
  int32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string formatSingle(std::optional<float> value) {
  return value ? platform::formatNumber(*value) : std::string();
}

}  // namespace host::MLimitText
