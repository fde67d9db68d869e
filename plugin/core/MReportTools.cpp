#include "plugin/core/MReportTools.h"

#include <algorithm>

#include "platform/NumberFormat.h"
#include "plugin/core/MPlugInErrors.h"

namespace plugin::MReportTools {

namespace {
constexpr const char* ConfigurationTitle = "310::Configuration";
}

std::string TitleCell(const std::string& text) { return "|{\\i\\b " + text + "}"; }

TableHead ConfigurationHeader(const host_api::IReport& report, ConfigurationWidth width) {
  const int32_t usable = report.Query(host_api::ReportQuery::UsableWidth);
  const int32_t column =
      std::max(MinColumnWidth, width == ConfigurationWidth::Wide ? usable : usable / 2);
  return {"<" + platform::formatNumber(column) + ";",
          TitleCell(report.GetText(PlugInId, ConfigurationTitle)) + ";"};
}

}  // namespace plugin::MReportTools
