#include "apps/orvel/ReportCommand.h"

#include "apps/orvel/Orvel.h"
#include "apps/orvel/OrvelSession.h"
#include "host/HostReport.h"
#include "host/TemplateReport.h"

namespace orvel {

namespace {

std::string titleOf(const host::TestTemplate& testTemplate, const std::string& file) {
  std::string device = testTemplate.deviceName().empty() ? file : testTemplate.deviceName();
  if (!testTemplate.serialNumber().empty()) device += " (" + testTemplate.serialNumber() + ")";
  return "Electrical safety test: " + device;
}

}  // namespace

int ReportCommand::run(const ReportRequest& request) {
  OrvelSession session;
  auto testTemplate = session.openTemplate(request.file);
  int32_t options = (request.limits ? host_api::ReportOption::LimitColumns : 0) |
                    (request.failedOnly ? host_api::ReportOption::FailedOnly : 0);
  host::HostReport report(options);
  host::TemplateReport::print(*testTemplate, report);
  if (request.html.empty()) {
    m_out << report.text();
  } else {
    report.saveHtml(request.html, titleOf(*testTemplate, request.file));
    m_out << "Wrote " << request.html << "\n";
  }
  return kExitSuccess;
}

}  // namespace orvel
