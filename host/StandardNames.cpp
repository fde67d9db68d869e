#include "host/StandardNames.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace host::StandardNames {

namespace {

// What a person's text is compared by: letters in lower case and digits, nothing else, so that
// "IEC 62353:2014", "iec62353" and "EN-62353" all hold "62353" and "AAMI ES 60601-1" holds
// "es60601".
std::string folded(std::string_view text) {
  std::string out;
  for (unsigned char c : text) {
    if (std::isalnum(c)) out.push_back(static_cast<char>(std::tolower(c)));
  }
  return out;
}

struct Pattern {
  std::string_view folded;
  int32_t id;
  bool atStart = false;  // only at the start of the text

  bool matches(std::string_view subject) const {
    return atStart ? subject.substr(0, folded.size()) == folded
                   : subject.find(folded) != std::string_view::npos;
  }
};

// Most specific first. AAMI ES60601-1 must come before the bare IEC 60601 number it contains;
// a bare "ES60601-1" is it only at the start of the text, since elsewhere the letters may end
// another word ("series 60601"). "nfpa" rather than "aami" identifies AAMI/NFPA-99, since AAMI
// also publishes ES60601-1. IEC 62353 goes before IEC 60601 as well: a text naming a 62353 test
// "according to 60601" means the 62353 limits.
constexpr Pattern kPatterns[] = {
    {"aamies60601", 6}, {"es60601", 6, true}, {"nfpa", 1},  {"nzs3551", 5}, {"vde0751", 7},
    {"vde751", 7},      {"db9801", 8},        {"62353", 4}, {"61010", 3},   {"60601", 2},
};

}  // namespace

const std::vector<std::pair<int32_t, std::string>>& all() {
  static const std::vector<std::pair<int32_t, std::string>> table = {
      {1, "AAMI/NFPA-99"}, {2, "IEC 60601-1"},    {3, "IEC 61010"}, {4, "IEC 62353"},
      {5, "AS/NZS 3551"},  {6, "AAMI ES60601-1"}, {7, "VDE 751.1"}, {8, "DB9801S1"},
  };
  return table;
}

std::optional<std::string> name(int32_t standardId) {
  const auto& table = all();
  auto found = std::find_if(table.begin(), table.end(),
                            [&](const auto& entry) { return entry.first == standardId; });
  if (found == table.end()) return std::nullopt;
  return found->second;
}

std::optional<int32_t> idOf(const std::string& text) {
  const std::string subject = folded(text);
  if (subject.empty()) return std::nullopt;
  for (const auto& pattern : kPatterns) {
    if (pattern.matches(subject)) return pattern.id;
  }
  return std::nullopt;
}

}  // namespace host::StandardNames
