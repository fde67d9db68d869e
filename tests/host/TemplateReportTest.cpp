#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/HostReport.h"
#include "host/TemplateReport.h"
#include "host/TestTemplate.h"
#include "host_api/ITestContainer.h"
#include "support/InertHostObjects.h"
#include "support/TestHost.h"

namespace {

using host_api::IReport;

// Prints a one-line table titled `title`, so the order of prints can be read off the report.
void printTitle(IReport* report, const std::string& title) {
  if (report) report->Table("<2000;", "|{\\i\\b " + title + "}|;", "");
}

class PrintedLimits : public testing_host::InertLimitData {
 public:
  explicit PrintedLimits(int32_t testId) : m_testId(testId) {}
  void PrintReport(IReport* report, host_api::ITestRun*) const override {
    printTitle(report, "Limits " + std::to_string(m_testId));
  }

 private:
  int32_t m_testId;
};

class PrintedResult : public host_api::IResultData {
 public:
  PrintedResult(int32_t testId, int32_t status) : m_testId(testId), m_status(status) {}
  std::string Comment_get() const override { return {}; }
  void Comment_let(const std::string&) override {}
  bool HasDialog_get() const override { return false; }
  int32_t Status_get() const override { return m_status; }
  std::shared_ptr<host_api::IMeasurement> Measurement_get(const platform::Variant&) const override {
    return nullptr;
  }
  int32_t MeasurementCount_get() const override { return 0; }
  std::shared_ptr<platform::Object> ServiceRecord_get() const override { return nullptr; }
  int32_t MTIID_get() const override { return 0; }
  std::shared_ptr<host_api::IDialog> CreateDialog() override { return nullptr; }
  void Load(const host_api::IXmlElement&, host_api::ILoadLog*) override {}
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement&) const override {
    return nullptr;
  }
  void PrintReport(IReport* report, const platform::Object*) const override {
    printTitle(report, "Result " + std::to_string(m_testId));
  }

 private:
  int32_t m_testId;
  int32_t m_status;
};

// An element (a group when it has children) that prints its title and hands out its limits and
// its result with a status: 1 passed, 2 failed.
class PrintedElement : public testing_host::InertTestElement, public host_api::ITestContainer {
 public:
  PrintedElement(int32_t testId, int32_t status,
                 std::vector<std::shared_ptr<host_api::ITestElement>> children = {})
      : m_testId(testId),
        m_limits(std::make_shared<PrintedLimits>(testId)),
        m_result(std::make_shared<PrintedResult>(testId, status)),
        m_children(std::move(children)) {}
  int32_t TestID_get() const override { return m_testId; }
  std::shared_ptr<host_api::IResultData> Result_get() const override { return m_result; }
  std::shared_ptr<host_api::ILimitData> Limits_get() override { return m_limits; }
  void PrintReport(IReport* report, host_api::ITestRun*) const override {
    printTitle(report, "Element " + std::to_string(m_testId));
  }

  int32_t Count() const override { return static_cast<int32_t>(m_children.size()); }
  std::shared_ptr<ITestElement> Item(int32_t index) const override {
    return m_children.at(static_cast<size_t>(index - 1));
  }
  void Add(const std::shared_ptr<ITestElement>&, const std::shared_ptr<ITestElement>&,
           int32_t) override {}
  std::shared_ptr<ITestElement> FindElement(int32_t) const override { return nullptr; }
  void Remove(const std::shared_ptr<ITestElement>&) override {}
  std::vector<std::shared_ptr<ITestElement>> NewEnum() const override { return m_children; }

 private:
  int32_t m_testId;
  std::shared_ptr<PrintedLimits> m_limits;
  std::shared_ptr<PrintedResult> m_result;
  std::vector<std::shared_ptr<ITestElement>> m_children;
};

std::shared_ptr<host_api::ITestElement> printed(
    int32_t testId, int32_t status,
    std::vector<std::shared_ptr<host_api::ITestElement>> children = {}) {
  return std::make_shared<PrintedElement>(testId, status, std::move(children));
}

class TemplateReportTest : public ::testing::Test {
 protected:
  TemplateReportTest() {
    made.setStandard("IEC 62353", "I");
    made.setDeviceName("Pump | 3; {A}");
    made.setSerialNumber("SN 7");
    // 100 {110 failed, 120 {121}}, 1900
    made.addElement(printed(100, 2, {printed(110, 2), printed(120, 1, {printed(121, 1)})}));
    made.addElement(printed(1900, 1));
  }

  static std::vector<std::string> titles(const host::HostReport& report) {
    std::vector<std::string> out;
    for (const auto& table : report.tables()) out.push_back(table.header.at(0).at(0).text);
    return out;
  }

  testing_host::TestHost host;
  host::TestTemplate made;
};

TEST_F(TemplateReportTest, TheDeviceComesFirstThenEveryElementDepthFirstWithLimitsAndResult) {
  host::HostReport report(host_api::ReportOption::LimitColumns);
  host::TemplateReport::print(made, report);
  std::vector<std::string> expected = {"Device"};
  for (int id : {100, 110, 120, 121, 1900}) {
    for (const char* part : {"Element ", "Limits ", "Result "}) {
      expected.push_back(part + std::to_string(id));
    }
  }
  EXPECT_EQ(titles(report), expected);

  const auto& device = report.tables().front().body;
  ASSERT_EQ(device.size(), 4u);
  EXPECT_EQ(device[0].at(1).text, "Pump   3, (A)");
  EXPECT_EQ(device[1].at(1).text, "SN 7");
  EXPECT_EQ(device[2].at(0).text, "Standard");
  EXPECT_EQ(device[2].at(1).text, "IEC 62353");
  EXPECT_EQ(device[3].at(1).text, "I");
}

TEST_F(TemplateReportTest, FailedOnlyLeavesOutEveryElementWithoutAFailureBelowIt) {
  host::HostReport report(host_api::ReportOption::FailedOnly);
  host::TemplateReport::print(made, report);
  EXPECT_EQ(titles(report),
            (std::vector<std::string>{"Device", "Element 100", "Limits 100", "Result 100",
                                      "Element 110", "Limits 110", "Result 110"}));
}

}  // namespace
