#pragma once

#include <string>
#include <vector>

#include "host/ReportTable.h"

namespace host {

// Renders the tables of a report as plain text and as one self-contained HTML page.
//
// A row is shown as failed (red in HTML, marked "!" at its start in text) when one of its cells,
// without blanks at either end, is one of the fail words given: the plug-in prints a reading's
// status as a word in the report's language, and a row holds no other status. Whole cells only,
// so that a description such as "Failure detector" is not taken for a status.
class ReportRenderer {
 public:
  ReportRenderer(const std::vector<ReportTable>& tables, std::vector<std::string> failWords)
      : m_tables(tables), m_failWords(std::move(failWords)) {}

  std::string text() const;
  std::string html(const std::string& title) const;

  bool isFailed(const ReportTable::Row& row) const;
  // `text` with &, <, >, " and ' written as entities; other characters (µ, Ω) stay UTF-8.
  static std::string escapeHtml(const std::string& text);
  // Characters on screen of UTF-8 text (code points).
  static size_t displayLength(const std::string& text);

 private:
  std::string tableText(const ReportTable& table) const;
  std::string tableHtml(const ReportTable& table) const;
  std::string rowHtml(const ReportTable& table, const ReportTable::Row& row, bool header) const;

  const std::vector<ReportTable>& m_tables;
  std::vector<std::string> m_failWords;
};

}  // namespace host
