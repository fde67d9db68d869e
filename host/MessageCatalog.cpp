#include "host/MessageCatalog.h"

#include <sstream>

#include "host/AtomicFile.h"
#include "platform/ComError.h"
#include "platform/MessageText.h"
#include "platform/TextTools.h"

namespace host {

namespace {
using platform::trim;

// The text of an entry: without quotes, what stands after "=" less the blanks at both edges; in
// double quotes, exactly what stands between them, so " (F)" and "... Test. " keep the blanks that
// join them to the texts around them (and that an editor cannot silently strip).
std::string entryText(const std::string& written) {
  std::string t = trim(written);
  if (t.size() >= 2 && t.front() == '"' && t.back() == '"') return t.substr(1, t.size() - 2);
  return t;
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
    std::string id = trim(t.substr(0, eq));
    if (!platform::isMessageId(id)) continue;
    catalog.m_texts[{pluginId, id}] = platform::expandLineBreaks(entryText(t.substr(eq + 1)));
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

std::optional<std::string> MessageCatalog::find(const std::string& pluginId,
                                                const std::string& id) const {
  auto it = m_texts.find({pluginId, id});
  if (it == m_texts.end()) return std::nullopt;
  return it->second;
}

}  // namespace host
