#include "host/ReportRenderer.h"

#include <algorithm>

#include "host/MNumberText.h"
#include "platform/TextTools.h"

namespace host {

namespace {

using Align = ReportTable::Align;

const ReportTable::Column* columnOf(const ReportTable& table, size_t index) {
  return index < table.columns.size() ? &table.columns[index] : nullptr;
}

Align alignOf(const ReportTable& table, size_t index) {
  auto* column = columnOf(table, index);
  return column ? column->align : Align::Left;
}

std::string padded(const std::string& text, size_t width, Align align) {
  size_t length = ReportRenderer::displayLength(text);
  std::string fill(width > length ? width - length : 0, ' ');
  return align == Align::Right ? fill + text : text + fill;
}

std::string rightTrimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

constexpr const char* kStyle =
    "body{font-family:sans-serif;font-size:10pt}"
    "table{border-collapse:collapse;margin:0 0 12pt 0}"
    // A cell keeps its spaces. A body cell wraps within its column, so that a long description
    // does not run off the page; a title stays on one line across the empty cells beside it.
    "td,th{padding:1pt 6pt;text-align:left;vertical-align:top;font-weight:normal;"
    "white-space:pre-wrap}th{white-space:pre}"
    "td.r,th.r{text-align:right}.b{font-weight:bold}.i{font-style:italic}"
    "tr.failed td{color:#c00000;font-weight:bold}";

}  // namespace

size_t ReportRenderer::displayLength(const std::string& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string ReportRenderer::escapeHtml(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

bool ReportRenderer::isFailed(const ReportTable::Row& row) const {
  return std::any_of(row.begin(), row.end(), [&](const ReportTable::Cell& cell) {
    auto text = platform::trimmed(cell.text);
    return !text.empty() &&
           std::find(m_failWords.begin(), m_failWords.end(), text) != m_failWords.end();
  });
}

namespace {

constexpr size_t kValueCell = 1, kHighCell = 3, kLowCell = 4, kLimitHeaderCells = 6;

std::string cellText(const ReportTable::Row& row, size_t index) {
  return index < row.size() ? std::string(platform::trimmed(row[index].text)) : std::string();
}

// Whether `value` (a number or "OL") lies beyond the limits written on `row`.
bool beyondLimits(const std::string& value, const ReportTable::Row& row) {
  const auto high = MNumberText::parseSingle(cellText(row, kHighCell));
  const auto low = MNumberText::parseSingle(cellText(row, kLowCell));
  if (value == "OL") return high.has_value();
  const auto reading = MNumberText::parseSingle(value);
  if (!reading) return false;
  return (high && *reading > *high) || (low && *reading < *low);
}

}  // namespace

std::vector<bool> ReportRenderer::failedRows(const ReportTable& table) const {
  const bool hasLimits = !table.header.empty() && table.header.back().size() >= kLimitHeaderCells;
  std::vector<bool> failed;
  std::string value;  // the reading the limits on a continuation row belong to
  for (const auto& row : table.body) {
    if (!cellText(row, kValueCell).empty() || !cellText(row, 0).empty()) {
      value = cellText(row, kValueCell);
    }
    failed.push_back(isFailed(row) || (hasLimits && beyondLimits(value, row)));
  }
  return failed;
}

std::string ReportRenderer::tableText(const ReportTable& table) const {
  std::vector<const ReportTable::Row*> rows;
  for (const auto& row : table.header) rows.push_back(&row);
  for (const auto& row : table.body) rows.push_back(&row);
  std::vector<size_t> widths;
  for (const auto* row : rows) {
    if (widths.size() < row->size()) widths.resize(row->size(), 0);
    for (size_t i = 0; i < row->size(); ++i) {
      widths[i] = std::max(widths[i], displayLength((*row)[i].text));
    }
  }
  const std::vector<bool> failedBody = failedRows(table);
  std::string text;
  for (size_t r = 0; r < rows.size(); ++r) {
    const bool failed = r >= table.header.size() && failedBody[r - table.header.size()];
    std::string line = failed ? "! " : "  ";
    for (size_t i = 0; i < rows[r]->size(); ++i) {
      line += padded((*rows[r])[i].text, widths[i], alignOf(table, i)) + "  ";
    }
    text += rightTrimmed(line) + "\n";
  }
  return text;
}

std::string ReportRenderer::text() const {
  std::string text;
  for (size_t i = 0; i < m_tables.size(); ++i) {
    if (i > 0) text += "\n";
    text += tableText(m_tables[i]);
  }
  return text;
}

std::string ReportRenderer::rowHtml(const ReportTable& table, const ReportTable::Row& row,
                                    bool header, bool failed) const {
  std::string html = failed ? "<tr class=\"failed\">" : "<tr>";
  const char* tag = header ? "th" : "td";
  for (size_t i = 0; i < row.size(); ++i) {
    std::string classes = alignOf(table, i) == Align::Right ? "r" : "";
    if (row[i].bold) classes += classes.empty() ? "b" : " b";
    if (row[i].italic) classes += classes.empty() ? "i" : " i";
    html += std::string("<") + tag + (classes.empty() ? "" : " class=\"" + classes + "\"") + ">" +
            escapeHtml(row[i].text) + "</" + tag + ">";
  }
  return html + "</tr>\n";
}

std::string ReportRenderer::tableHtml(const ReportTable& table) const {
  std::string html = "<table>\n";
  if (!table.columns.empty()) {
    html += "<colgroup>";
    // 15 twips make a CSS pixel.
    for (const auto& column : table.columns) {
      html += "<col style=\"width:" + std::to_string(column.width / 15) + "px\">";
    }
    html += "</colgroup>\n";
  }
  for (const auto& row : table.header) html += rowHtml(table, row, true, false);
  const std::vector<bool> failed = failedRows(table);
  for (size_t r = 0; r < table.body.size(); ++r) {
    html += rowHtml(table, table.body[r], false, failed[r]);
  }
  return html + "</table>\n";
}

std::string ReportRenderer::html(const std::string& title) const {
  std::string html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                     escapeHtml(title) + "</title>\n<style>" + kStyle +
                     "</style>\n</head>\n<body>\n";
  for (const auto& table : m_tables) html += tableHtml(table);
  return html + "</body>\n</html>\n";
}

}  // namespace host
