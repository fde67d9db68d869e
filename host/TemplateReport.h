#pragma once

#include "host/TestTemplate.h"
#include "host_api/IReport.h"

namespace host {

// The report of a whole template.
namespace TemplateReport {

// Prints `testTemplate` into `report`: first a table of the device (name, serial number,
// standard, class), then every element depth first, each with its own print, its limits' and
// its result's. The report's options hold as everywhere: the results show limit columns and
// failed readings only as the options say; with "failed readings only" an element whose result
// and whose children's results hold no failure is left out altogether.
void print(const TestTemplate& testTemplate, host_api::IReport& report);

}  // namespace TemplateReport
}  // namespace host
