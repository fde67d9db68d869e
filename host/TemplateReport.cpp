#include "host/TemplateReport.h"

#include <algorithm>
#include <memory>
#include <string>

#include "host_api/ILimitStandard.h"
#include "host_api/ITestContainer.h"

namespace host::TemplateReport {

namespace {

using host_api::IReport;
using host_api::ITestElement;

constexpr const char* kDomain = "Orvel";
constexpr int32_t kLabelWidth = 2240;

std::vector<std::shared_ptr<ITestElement>> childrenOf(
    const std::shared_ptr<ITestElement>& element) {
  auto container = std::dynamic_pointer_cast<host_api::ITestContainer>(element);
  return container ? container->NewEnum() : std::vector<std::shared_ptr<ITestElement>>{};
}

bool holdsFailure(const std::shared_ptr<ITestElement>& element) {
  auto result = element->Result_get();
  if (result && result->Status_get() == host_api::LimitStatus::Failed) return true;
  auto children = childrenOf(element);
  return std::any_of(children.begin(), children.end(), holdsFailure);
}

void printDevice(const TestTemplate& testTemplate, IReport& report) {
  // Cell text must not be read as the table's own syntax.
  auto clean = [&](const std::string& text) { return report.ReplaceChars(text, "|;{}", " ,()"); };
  auto row = [&](const char* label, const std::string& value) {
    return "|" + clean(report.GetText(kDomain, label)) + "|" + clean(value) + ";";
  };
  const int32_t width = report.Query(host_api::ReportQuery::UsableWidth);
  const std::string layout = "<" + std::to_string(kLabelWidth) + "|<!" +
                             std::to_string(std::max(width - kLabelWidth, 560)) + ";";
  const std::string body =
      row("Name", testTemplate.deviceName()) + row("Serial number", testTemplate.serialNumber()) +
      row("Standard", testTemplate.standardText()) + row("Class", testTemplate.deviceClass());
  report.Table(layout, "|{\\i\\b " + clean(report.GetText(kDomain, "Device")) + "}|;", body);
}

void printElement(const std::shared_ptr<ITestElement>& element, IReport& report, bool failedOnly) {
  if (failedOnly && !holdsFailure(element)) return;
  element->PrintReport(&report, nullptr);
  // The limits go before the result: they tell the result which limits to show beside each
  // reading.
  if (auto limits = element->Limits_get()) limits->PrintReport(&report, nullptr);
  if (auto result = element->Result_get()) result->PrintReport(&report, nullptr);
  for (const auto& child : childrenOf(element)) printElement(child, report, failedOnly);
}

}  // namespace

void print(const TestTemplate& testTemplate, IReport& report) {
  printDevice(testTemplate, report);
  // The device's own data (its applied parts, for the analyzer's plug-in) prints its tables.
  if (auto device = testTemplate.deviceData()) device->PrintReport(&report);
  const bool failedOnly = report.Options_get() & host_api::ReportOption::FailedOnly;
  for (const auto& element : testTemplate.elements()) printElement(element, report, failedOnly);
}

}  // namespace host::TemplateReport
