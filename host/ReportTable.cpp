#include "host/ReportTable.h"

#include <charconv>

namespace host {

namespace {

// Whether every "{" of `text` is closed: only then do braces group text. A stray "{" in a
// reading's description must not swallow the rows after it.
bool bracesBalanced(std::string_view text) {
  int depth = 0;
  for (char c : text) {
    if (c == '{') ++depth;
    if (c == '}' && --depth < 0) return false;
  }
  return depth == 0;
}

// Splits `text` at `separator` where it is outside braces.
std::vector<std::string_view> splitOutsideBraces(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  const bool grouping = bracesBalanced(text);
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (grouping && text[i] == '{') ++depth;
    if (grouping && text[i] == '}') --depth;
    if (text[i] == separator && depth == 0) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::string_view withoutLineBreaks(std::string_view text) {
  while (!text.empty() && (text.front() == '\r' || text.front() == '\n')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  return text;
}

ReportTable::Column parseColumn(std::string_view text) {
  ReportTable::Column column;
  size_t i = 0;
  for (; i < text.size() && (text[i] < '0' || text[i] > '9'); ++i) {
    if (text[i] == '>') column.align = ReportTable::Align::Right;
    if (text[i] == '+') column.number = true;
    if (text[i] == '!') column.rest = true;
  }
  int32_t width = 0;
  auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), width);
  (void)end;
  column.width = ec == std::errc() && width > 0 ? width : 0;
  return column;
}

}  // namespace

std::vector<ReportTable::Column> ReportTable::parseLayout(std::string_view layout) {
  layout = withoutLineBreaks(layout);
  if (!layout.empty() && layout.back() == ';') layout.remove_suffix(1);
  std::vector<Column> columns;
  if (layout.empty()) return columns;
  for (auto part : splitOutsideBraces(layout, '|')) columns.push_back(parseColumn(part));
  return columns;
}

ReportTable::Cell ReportTable::parseCell(std::string_view cell) {
  Cell parsed;
  if (cell.size() < 2 || cell.front() != '{' || cell.back() != '}') {
    parsed.text = std::string(cell);
    return parsed;
  }
  std::string_view inner = cell.substr(1, cell.size() - 2);
  // Control words ("\i", "\b") up to the first blank that follows one.
  while (inner.size() >= 2 && inner[0] == '\\') {
    size_t end = 1;
    while (end < inner.size() && inner[end] != ' ' && inner[end] != '\\') ++end;
    auto word = inner.substr(1, end - 1);
    parsed.bold = parsed.bold || word == "b";
    parsed.italic = parsed.italic || word == "i";
    inner.remove_prefix(end);
    if (!inner.empty() && inner[0] == ' ') {
      inner.remove_prefix(1);
      break;
    }
  }
  parsed.text = std::string(inner);
  return parsed;
}

std::vector<ReportTable::Row> ReportTable::parseRows(std::string_view rows) {
  std::vector<Row> parsed;
  for (auto rowText : splitOutsideBraces(rows, ';')) {
    rowText = withoutLineBreaks(rowText);
    if (rowText.empty()) continue;
    if (rowText.front() == '|') rowText.remove_prefix(1);
    Row row;
    for (auto cell : splitOutsideBraces(rowText, '|')) row.push_back(parseCell(cell));
    parsed.push_back(std::move(row));
  }
  return parsed;
}

}  // namespace host
