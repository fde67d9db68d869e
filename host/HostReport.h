#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/ReportTable.h"
#include "host_api/IApplicationService.h"
#include "host_api/IReport.h"

namespace host {

// The host's report: it keeps every table a plug-in prints and renders the whole report as
// plain text (aligned columns) or as a self-contained HTML page, with the rule for failed rows
// that ReportRenderer describes.
class HostReport : public host_api::IReport {
 public:
  // A width of about A4 portrait less its margins.
  static constexpr int32_t kDefaultUsableWidth = 9638;

  // Texts are translated by `application`; without one, by the installed host services.
  explicit HostReport(int32_t options = 0, int32_t reportKind = host_api::ResultReportKind,
                      std::shared_ptr<host_api::IApplicationService> application = nullptr);

  int32_t Options_get() const override { return m_options; }
  void Options_let(int32_t options) { m_options = options; }
  int32_t ReportKind_get() const override { return m_reportKind; }
  void ReportKind_let(int32_t kind) { m_reportKind = kind; }
  std::string GetText(const std::string& domain, const std::string& text) const override;
  // UsableWidth gives the configured width; any other question 0.
  int32_t Query(int32_t what) const override;
  void UsableWidth_let(int32_t twips) { m_usableWidth = twips; }
  void Setting(int32_t value) override { m_pendingSettings.push_back(value); }
  // Characters of `from` without a counterpart in `to` are removed. Works on characters, not
  // bytes, so "µ" may be replaced like any other.
  std::string ReplaceChars(const std::string& text, const std::string& from,
                           const std::string& to) const override;
  void Table(const std::string& layout, const std::string& header,
             const std::string& body) override;

  const std::vector<ReportTable>& tables() const { return m_tables; }
  // Cells that mark a failed row: "Fail", "Failed" and the translated fail word of `domain`.
  std::vector<std::string> failWords(const std::string& domain = "TRX440") const;

  std::string text() const;
  std::string html(const std::string& title = "Report") const;
  // Written atomically; failures throw platform::ComError (75).
  void saveText(const std::filesystem::path& path) const;
  void saveHtml(const std::filesystem::path& path, const std::string& title = "Report") const;

 private:
  int32_t m_options;
  int32_t m_reportKind;
  int32_t m_usableWidth = kDefaultUsableWidth;
  std::shared_ptr<host_api::IApplicationService> m_application;
  std::vector<int32_t> m_pendingSettings;
  std::vector<ReportTable> m_tables;
};

}  // namespace host
