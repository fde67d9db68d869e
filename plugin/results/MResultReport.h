#pragma once

#include <cstdint>
#include <string>

#include "host_api/IReport.h"

namespace plugin {

class CModuleSetup;

// The result table of the host report, shared by the result of an element and of a group.
namespace MResultReport {

// Widths of the four number columns (X) and of the column that takes the rest (R), in twips,
// for a usable width W: X = (W - 5600) / 4 toward zero, R = max(0, W - (4X + 5600)) + 2240.
// A report narrower than 5600 gives a negative X; R never drops below 2240.
struct ColumnWidths {
  int32_t x;
  int32_t r;
};
ColumnWidths ColumnWidthsFor(int32_t usableWidth);

// "<560|<2240|>+X|>+X|>+X|>+X|>+!R|<+560;"
std::string ColumnLayout(int32_t usableWidth);

// The bold italic column titles, translated by the report: result, value, unit (an empty title
// when `unitTitle` is false, so the columns stay in place), and with the report's limit columns
// high limit, low limit and standard.
std::string HeaderRow(const host_api::IReport& report, bool unitTitle);

// Prints a result: the module setup's own table first, then, when `body` holds rows, the
// result table. Nothing when the report is absent or is not a result report.
void Print(host_api::IReport* report, const CModuleSetup* setup, const std::string& body,
           bool unitTitle);

}  // namespace MResultReport
}  // namespace plugin
