#include "host/MessageCatalog.h"

#include <charconv>
#include <sstream>

#include "host/AtomicFile.h"
#include "platform/ComError.h"
#include "platform/MessageText.h"

namespace host {

namespace {
std::string trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

std::optional<int> parseId(const std::string& text) {
  int id = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (ec != std::errc() || ptr != text.data() + text.size() || id < 0) return std::nullopt;
  return id;
}
}  // namespace

MessageCatalog MessageCatalog::parse(const std::string& text) {
  MessageCatalog catalog;
  std::istringstream in(text);
  std::string line;
  std::string pluginId;
  while (std::getline(in, line)) {
    std::string t = trim(line);
    if (t.empty() || t[0] == '#' || t[0] == ';') continue;
    if (t.front() == '[' && t.back() == ']') {
      pluginId = trim(t.substr(1, t.size() - 2));
      continue;
    }
    size_t eq = t.find('=');
    if (pluginId.empty() || eq == std::string::npos) continue;
    auto id = parseId(trim(t.substr(0, eq)));
    if (!id) continue;
    // Only the blanks before the text go; trailing blanks were already trimmed with the line.
    std::string translated = t.substr(eq + 1);
    translated.erase(0, translated.find_first_not_of(" \t"));
    catalog.m_texts[{pluginId, *id}] = platform::expandLineBreaks(translated);
  }
  return catalog;
}

MessageCatalog MessageCatalog::load(const std::filesystem::path& file) {
  try {
    auto text = AtomicFile::read(file);
    return text ? parse(*text) : MessageCatalog{};
  } catch (const platform::ComError&) {
    return {};
  }
}

std::optional<std::string> MessageCatalog::find(const std::string& pluginId, int id) const {
  auto it = m_texts.find({pluginId, id});
  if (it == m_texts.end()) return std::nullopt;
  return it->second;
}

}  // namespace host
