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

void ReportCommand::saveHtml(const host::TestTemplate& testTemplate, const std::string& file,
                             const std::string& html, int32_t options) {
  host::HostReport report(options);
  host::TemplateReport::print(testTemplate, report);
  report.saveHtml(html, titleOf(testTemplate, file));
}

int ReportCommand::run(const ReportRequest& request) {
  OrvelSession session;
  auto testTemplate = session.openTemplate(request.file);
  int32_t options = (request.limits ? host_api::ReportOption::LimitColumns : 0) |
                    (request.failedOnly ? host_api::ReportOption::FailedOnly : 0);
  if (request.html.empty()) {
    host::HostReport report(options);
    host::TemplateReport::print(*testTemplate, report);
    m_out << report.text();
  } else {
    saveHtml(*testTemplate, request.file, request.html, options);
    m_out << "Wrote " << request.html << "\n";
  }
  return kExitSuccess;
}

}  // namespace orvel
