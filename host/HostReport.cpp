#include "host/HostReport.h"

#include <algorithm>

#include "host/AtomicFile.h"
#include "host/ReportRenderer.h"
#include "host_api/HostServices.h"

namespace host {

namespace {

// The characters of UTF-8 text, each as its bytes.
std::vector<std::string> characters(const std::string& text) {
  std::vector<std::string> result;
  for (char c : text) {
    const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    if (continuation && !result.empty()) {
      result.back() += c;
    } else {
      result.emplace_back(1, c);
    }
  }
  return result;
}

}  // namespace

HostReport::HostReport(int32_t options, int32_t reportKind,
                       std::shared_ptr<host_api::IApplicationService> application)
    : m_options(options), m_reportKind(reportKind), m_application(std::move(application)) {}

std::string HostReport::GetText(const std::string& domain, const std::string& text) const {
  auto* application =
      m_application ? m_application.get() : host_api::hostServices().application.get();
  if (!application) return platform::MessageText::parse(text).text;
  return application->Translate(domain, text);
}

int32_t HostReport::Query(int32_t what) const {
  return what == host_api::ReportQuery::UsableWidth ? m_usableWidth : 0;
}

std::string HostReport::ReplaceChars(const std::string& text, const std::string& from,
                                     const std::string& to) const {
  auto fromChars = characters(from);
  auto toChars = characters(to);
  std::string replaced;
  for (const auto& c : characters(text)) {
    auto it = std::find(fromChars.begin(), fromChars.end(), c);
    if (it == fromChars.end()) {
      replaced += c;
      continue;
    }
    auto position = static_cast<size_t>(it - fromChars.begin());
    if (position < toChars.size()) replaced += toChars[position];
  }
  return replaced;
}

void HostReport::Table(const std::string& layout, const std::string& header,
                       const std::string& body) {
  ReportTable table;
  table.columns = ReportTable::parseLayout(layout);
  table.header = ReportTable::parseRows(header);
  table.body = ReportTable::parseRows(body);
  table.settings = std::move(m_pendingSettings);
  m_pendingSettings.clear();
  m_tables.push_back(std::move(table));
}

std::vector<std::string> HostReport::failWords(const std::string& domain) const {
  std::vector<std::string> words{"Fail", "Failed"};
  // The word a pass/fail reading prints as its value, in the report's language.
  auto translated = GetText(domain, "20352::Fail");
  if (std::find(words.begin(), words.end(), translated) == words.end()) words.push_back(translated);
  return words;
}

std::string HostReport::text() const { return ReportRenderer(m_tables, failWords()).text(); }

std::string HostReport::html(const std::string& title) const {
  return ReportRenderer(m_tables, failWords()).html(title);
}

void HostReport::saveText(const std::filesystem::path& path) const {
  AtomicFile::write(path, text());
}

void HostReport::saveHtml(const std::filesystem::path& path, const std::string& title) const {
  AtomicFile::write(path, html(title));
}

}  // namespace host
