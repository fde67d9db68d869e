#include "host/SettingsFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>

#include "platform/ComError.h"
#include "platform/TextTools.h"

namespace host {

namespace {
using platform::trim;

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

bool sameName(const std::string& a, const std::string& b) { return lower(a) == lower(b); }

bool knownRoot(const std::string& key) {
  static const std::array<std::string, 4> roots{"hkcr", "hkcu", "hklm", "hku"};
  std::string root = lower(key.substr(0, key.find('\\')));
  return std::find(roots.begin(), roots.end(), root) != roots.end();
}

std::string unquote(const std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Quotes a value whose blanks or quotes would otherwise be lost on the way back.
std::string quoteIfNeeded(const std::string& value) {
  if (value.empty()) return value;
  bool edgeBlank = std::isspace(static_cast<unsigned char>(value.front())) ||
                   std::isspace(static_cast<unsigned char>(value.back()));
  bool quoted = value.front() == '"' && value.back() == '"' && value.size() >= 2;
  return edgeBlank || quoted ? "\"" + value + "\"" : value;
}

[[noreturn]] void malformed(const std::string& origin, size_t lineNo, const std::string& why) {
  throw platform::ComError(platform::RuntimeError::InvalidFileFormat, "host",
                           "The settings file " + origin + " is malformed at line " +
                               std::to_string(lineNo) + ": " + why);
}

[[noreturn]] void notStorable(const std::string& what) {
  throw platform::ComError(platform::RuntimeError::InvalidProcedureCall, "host",
                           "Cannot store " + what + " in the settings file");
}
}  // namespace

SettingsFile SettingsFile::parse(const std::string& text, const std::string& origin) {
  SettingsFile file;
  std::istringstream in(text);
  std::string raw;
  std::string key;
  size_t lineNo = 0;
  while (std::getline(in, raw)) {
    ++lineNo;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    Line line;
    line.raw = raw;
    std::string t = trim(raw);
    if (t.empty() || t[0] == ';' || t[0] == '#') {
      line.key = key;
    } else if (t[0] == '[') {
      if (t.back() != ']') malformed(origin, lineNo, "a section needs its closing \"]\"");
      key = normalisedKey(trim(t.substr(1, t.size() - 2)));
      if (!knownRoot(key)) {
        malformed(origin, lineNo, "a section starts with HKCR, HKCU, HKLM or HKU");
      }
      line.kind = LineKind::Section;
      line.key = key;
    } else {
      size_t eq = t.find('=');
      if (eq == std::string::npos) malformed(origin, lineNo, "expected name=value");
      if (key.empty()) malformed(origin, lineNo, "a value before the first section");
      line.kind = LineKind::Value;
      line.key = key;
      line.name = trim(t.substr(0, eq));
      if (line.name.empty()) malformed(origin, lineNo, "a value without a name");
      line.value = unquote(trim(t.substr(eq + 1)));
    }
    file.m_lines.push_back(std::move(line));
  }
  return file;
}

std::string SettingsFile::normalisedKey(const std::string& key) {
  std::string out;
  for (char c : key) {
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

std::string SettingsFile::text() const {
  std::string out;
  for (const auto& line : m_lines) out += line.raw + "\n";
  return out;
}

bool SettingsFile::hasKey(const std::string& key) const {
  std::string wanted = lower(key);
  return std::any_of(m_lines.begin(), m_lines.end(), [&](const Line& line) {
    if (line.kind != LineKind::Section) return false;
    std::string have = lower(line.key);
    return have == wanted || have.rfind(wanted + "\\", 0) == 0;
  });
}

void SettingsFile::addKey(const std::string& key) {
  if (sectionEnd(key)) return;
  if (!m_lines.empty() && !trim(m_lines.back().raw).empty()) m_lines.push_back(Line{});
  Line section;
  section.kind = LineKind::Section;
  section.raw = "[" + key + "]";
  section.key = key;
  m_lines.push_back(std::move(section));
}

std::optional<std::string> SettingsFile::value(const std::string& key,
                                               const std::string& name) const {
  std::optional<std::string> found;
  // A name given twice counts with its last line, as a person reading the file would expect.
  for (const auto& line : m_lines) {
    if (line.kind == LineKind::Value && sameName(line.key, key) && sameName(line.name, name)) {
      found = line.value;
    }
  }
  return found;
}

void SettingsFile::setValue(const std::string& key, const std::string& name,
                            const std::string& value) {
  if (name.empty() || name != trim(name) || name.find_first_of("=\r\n") != std::string::npos ||
      name[0] == '[' || name[0] == ';' || name[0] == '#') {
    notStorable("the value name \"" + name + "\"");
  }
  if (value.find_first_of("\r\n") != std::string::npos) notStorable("a value with line breaks");
  for (auto it = m_lines.rbegin(); it != m_lines.rend(); ++it) {
    if (it->kind == LineKind::Value && sameName(it->key, key) && sameName(it->name, name)) {
      *it = valueLine(it->key, it->name, value);
      return;
    }
  }
  addKey(key);
  size_t at = *sectionEnd(key);
  m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), valueLine(key, name, value));
}

SettingsFile::Line SettingsFile::valueLine(const std::string& key, const std::string& name,
                                           const std::string& value) {
  Line line;
  line.kind = LineKind::Value;
  line.key = key;
  line.name = name;
  line.value = value;
  line.raw = name + "=" + quoteIfNeeded(value);
  return line;
}

std::optional<size_t> SettingsFile::sectionEnd(const std::string& key) const {
  // New values go after the last value of the key, so blank lines and comments that separate
  // it from the next section stay where the person put them.
  std::optional<size_t> end;
  for (size_t i = 0; i < m_lines.size(); ++i) {
    const Line& line = m_lines[i];
    if (line.kind != LineKind::Other && sameName(line.key, key)) end = i + 1;
  }
  return end;
}

}  // namespace host
