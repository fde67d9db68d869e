#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace host {

// The translations of one language, read from resources/lang/<language>.txt:
//
//   # comment
//   [TRX440]
//   20351=Bestanden
//   20030=Der Test wird in %%1 Sekunden automatisch fortgesetzt.
//   20210=" (F)"
//   T1708=Kommentar
//
// A section names the plug-in id the following message ids belong to; "\n" in a text is a line
// break. Blanks around "=" and at the line's end are layout and go; a text whose blanks at its
// start or end belong to it is written in double quotes, and everything between the quotes is
// kept as it stands; a text that itself begins and ends with a quote takes one more pair. A line
// that does not fit is skipped: a flawed catalogue must never stop a message from being shown, it
// only leaves that message in English.
class MessageCatalog {
 public:
  static MessageCatalog parse(const std::string& text);
  // A missing or unreadable file gives an empty catalogue (every text in English).
  static MessageCatalog load(const std::filesystem::path& file);

  std::optional<std::string> find(const std::string& pluginId, const std::string& id) const;
  size_t size() const { return m_texts.size(); }

 private:
  std::map<std::pair<std::string, std::string>, std::string> m_texts;
};

}  // namespace host
