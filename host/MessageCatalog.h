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
//
// A section names the plug-in id the following message ids belong to; "\n" in a text is a line
// break. A line that does not fit is skipped: a flawed catalogue must never stop a message from
// being shown, it only leaves that message in English.
class MessageCatalog {
 public:
  static MessageCatalog parse(const std::string& text);
  // A missing or unreadable file gives an empty catalogue (every text in English).
  static MessageCatalog load(const std::filesystem::path& file);

  std::optional<std::string> find(const std::string& pluginId, int id) const;
  size_t size() const { return m_texts.size(); }

 private:
  std::map<std::pair<std::string, int>, std::string> m_texts;
};

}  // namespace host
