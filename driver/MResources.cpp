#include "driver/MResources.h"

#include <charconv>

#include "driver/StringTableSource.h"
#include "platform/TextTools.h"

namespace vti::MResources {

namespace {

// "\r\n" in the file is a real line break of the text; everything else stays as written.
std::string decodeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 4, "\\r\\n") == 0) {
      out += "\r\n";
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

std::unordered_map<int32_t, std::string> ParseStringTable(std::string_view source) {
  std::unordered_map<int32_t, std::string> table;
  size_t pos = 0;
  while (pos < source.size()) {
    size_t end = source.find('\n', pos);
    if (end == std::string_view::npos) end = source.size();
    std::string_view line = source.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view content = platform::trimmed(line);
    if (content.empty() || content.front() == '#') continue;
    int32_t id = 0;
    auto [next, ec] = std::from_chars(content.data(), content.data() + content.size(), id);
    if (ec != std::errc()) continue;
    std::string_view rest = content.substr(static_cast<size_t>(next - content.data()));
    // The id must be followed by a separator; "12ab" is not an entry.
    if (!rest.empty() && rest.front() != ' ' && rest.front() != '\t') continue;
    table[id] = decodeText(platform::trimmed(rest));
  }
  return table;
}

std::string LoadResString(int32_t id) {
  static const auto table = ParseStringTable(StringTableSource());
  auto it = table.find(id);
  return it == table.end() ? std::string() : it->second;
}

}  // namespace vti::MResources
