#pragma once

#include <optional>
#include <string>
#include <vector>

namespace host {

// The text of the registry's settings file, an INI file a person can edit:
//
//   ; comment (also "#")
//   [HKLM\Software\Tavik\orvel\TRX440]
//   Nomenclature=1
//   Test guide settings = 9
//   Title="  kept with its blanks  "
//
// A section is a key path with its root (HKCR, HKCU, HKLM, HKU) in front. Names and values are
// trimmed; a value in double quotes keeps its blanks. Key paths and value names compare without
// regard to case, as registry names do. Edits change only the lines concerned, so comments and
// the order a person chose survive every write.
class SettingsFile {
 public:
  // Parses `text`; a line that is none of the forms above throws platform::ComError (321)
  // naming `origin` and the line.
  static SettingsFile parse(const std::string& text, const std::string& origin);

  std::string text() const;

  // A key exists when its own section or a section of one of its subkeys exists.
  bool hasKey(const std::string& key) const;
  void addKey(const std::string& key);

  std::optional<std::string> value(const std::string& key, const std::string& name) const;
  // Adds the key when missing. A name or value that cannot be stored on one line throws
  // platform::ComError (5).
  void setValue(const std::string& key, const std::string& name, const std::string& value);

 private:
  enum class LineKind { Other, Section, Value };
  struct Line {
    LineKind kind = LineKind::Other;
    std::string raw;
    std::string key;  // the section the line belongs to (or opens)
    std::string name;
    std::string value;
  };

  static Line valueLine(const std::string& key, const std::string& name, const std::string& value);
  // Index after the last line of `key`'s section, or nothing when there is no such section.
  std::optional<size_t> sectionEnd(const std::string& key) const;

  std::vector<Line> m_lines;
};

}  // namespace host
