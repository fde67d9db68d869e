#pragma once

#include <string>

#include "host_api/IReport.h"

namespace plugin {

// Pieces of the report tables that more than one record prints.
namespace MReportTools {

// A table's column layout and header row, as IReport::Table takes them.
struct TableHead {
  std::string layout;
  std::string header;
};

enum class ConfigurationWidth { Normal, Wide };

// The narrowest column a configuration table is given, in twips, whatever the report answers.
inline constexpr int32_t MinColumnWidth = 2240;

// "|{\i\b <text>}": a title cell, bold italic.
std::string TitleCell(const std::string& text);

// The head of a configuration section: the translated "310::Configuration" as the header row,
// over one left-aligned column of half the report's usable width, or all of it for the wide
// layout (whose rows carry longer titles).
TableHead ConfigurationHeader(const host_api::IReport& report, ConfigurationWidth width);

}  // namespace MReportTools
}  // namespace plugin
