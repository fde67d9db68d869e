#include "plugin/results/MResultReport.h"

#include <algorithm>

#include "plugin/core/MPlugInErrors.h"
#include "plugin/results/MResultModuleSetup.h"

namespace plugin::MResultReport {

namespace {

// The fixed columns: a margin, the result text, and the closing margin beside the standard.
constexpr int32_t FixedWidth = 5600;
constexpr int32_t TextWidth = 2240;

std::string title(const host_api::IReport& report, const std::string& text) {
  return "|{\\i\\b " + report.GetText(PlugInId, text) + "}";
}

}  // namespace

ColumnWidths ColumnWidthsFor(int32_t usableWidth) {
  // Widened before the sums, so that no width a report gives can overflow.
  const int64_t w = usableWidth;
  const int64_t x = (w - FixedWidth) / 4;
  const int64_t r = std::max<int64_t>(0, w - (4 * x + FixedWidth)) + TextWidth;
  return {static_cast<int32_t>(x), static_cast<int32_t>(r)};
}

std::string ColumnLayout(int32_t usableWidth) {
  const ColumnWidths widths = ColumnWidthsFor(usableWidth);
  const std::string x = std::to_string(widths.x);
  return "<560|<2240|>+" + x + "|>+" + x + "|>+" + x + "|>+" + x + "|>+!" +
         std::to_string(widths.r) + "|<+560;";
}

std::string HeaderRow(const host_api::IReport& report, bool unitTitle) {
  std::string header = title(report, "312::Result:") + title(report, "231::Value");
  header += unitTitle ? title(report, "234::Unit") : std::string("|{\\i\\b }");
  if (report.Options_get() & host_api::ReportOption::LimitColumns) {
    header += title(report, "232::High limit") + title(report, "233::Low limit") +
              title(report, "20852::Standard");
  }
  return header + ";";
}

void Print(host_api::IReport* report, const CModuleSetup* setup, const std::string& body,
           bool unitTitle) {
  if (!report || report->ReportKind_get() != host_api::ResultReportKind) return;
  if (setup) MResultModuleSetup::Print(*setup, *report);
  if (body.empty()) return;
  const std::string layout = ColumnLayout(report->Query(host_api::ReportQuery::UsableWidth));
  const std::string header = HeaderRow(*report, unitTitle);
  report->Setting(7);
  report->Setting(0);
  report->Setting(1);
  report->Table(layout, header, body);
}

}  // namespace plugin::MResultReport
