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
//
// In a table with limit columns (a header of six cells or more: reading, value, unit, high limit,
// low limit, standard) a row is failed too when its value lies beyond the limits on its row: above
// the high limit or below the low one. A continuation row (limits of a further standard, no value
// of its own) is judged with the value of the row before it. "OL", a reading beyond the measuring
// range, is above every high limit. The technician sees a failed reading marked whether the
// plug-in printed a status word or only the value and its limits.
class ReportRenderer {
 public:
  ReportRenderer(const std::vector<ReportTable>& tables, std::vector<std::string> failWords)
      : m_tables(tables), m_failWords(std::move(failWords)) {}

  std::string text() const;
  std::string html(const std::string& title) const;

  bool isFailed(const ReportTable::Row& row) const;
  // Per body row of `table`, whether it is shown as failed.
  std::vector<bool> failedRows(const ReportTable& table) const;
  // `text` with &, <, >, " and ' written as entities; other characters (µ, Ω) stay UTF-8.
  static std::string escapeHtml(const std::string& text);
  // Characters on screen of UTF-8 text (code points).
  static size_t displayLength(const std::string& text);

 private:
  std::string tableText(const ReportTable& table) const;
  std::string tableHtml(const ReportTable& table) const;
  std::string rowHtml(const ReportTable& table, const ReportTable::Row& row, bool header,
                      bool failed) const;

  const std::vector<ReportTable>& m_tables;
  std::vector<std::string> m_failWords;
};

}  // namespace host
