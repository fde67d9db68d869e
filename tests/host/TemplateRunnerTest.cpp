// The host's run of a template with fake elements: what is saved when, and what ends a run.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "TemplateStandIns.h"
#include "host/HostApplicationService.h"
#include "host/HostLocations.h"
#include "host/HostTestRun.h"
#include "host/TemplateRunner.h"
#include "support/TestFiles.h"
#include "support/TestHost.h"

namespace {

using namespace host_fakes;
using host::ElementOutcome;

std::string contentOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class StatusResult : public host_api::IResultData {
 public:
  int32_t status = 0;
  std::string Comment_get() const override { return {}; }
  void Comment_let(const std::string&) override {}
  bool HasDialog_get() const override { return false; }
  int32_t Status_get() const override { return status; }
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
  void PrintReport(host_api::IReport*, const platform::Object*) const override {}
};

// An element whose "reading" is a number stored in its configuration (so it is in the saved
// file), with a result status, and whatever else a test wants it to do when performed.
class RunElement : public FakeElement {
 public:
  using Action = std::function<void(RunElement&, host_api::ITestRun&)>;

  std::shared_ptr<host_api::IResultData> Result_get() const override { return result; }
  void Perform(host_api::ITestRun& testRun) override {
    ++performed;
    action(*this, testRun);
  }
  // Measures `reading` with `status` and reports itself performed, as the plug-in's do.
  static void measure(RunElement& self, host_api::ITestRun& testRun, int reading, int32_t status) {
    self.setConfigValue(reading);
    self.result->status = status;
    testRun.ElementPerformed(self);
  }

  std::shared_ptr<StatusResult> result = std::make_shared<StatusResult>();
  Action action = [](RunElement&, host_api::ITestRun&) {};
  int performed = 0;
};

class TemplateRunnerTest : public ::testing::Test {
 protected:
  TemplateRunnerTest() {
    registry.registry.registerClass("orvelTRX440.RunElement",
                                    [] { return std::make_shared<RunElement>(); });
    testTemplate->setStandard("IEC 62353", "I");
  }

  std::shared_ptr<RunElement> add(int32_t testId, RunElement::Action action) {
    auto element = std::make_shared<RunElement>();
    element->core->Initialize("TRX440", testId, testTemplate->count() + 1);
    element->action = std::move(action);
    testTemplate->addElement(element, "orvelTRX440.RunElement");
    return element;
  }
  // An element that measures `reading` with `status`.
  std::shared_ptr<RunElement> measuring(int32_t testId, int reading, int32_t status = 1) {
    return add(testId, [reading, status](RunElement& self, host_api::ITestRun& run) {
      RunElement::measure(self, run, reading, status);
    });
  }
  host::TemplateRunOutcome run() {
    host::HostTestRun testRun(testTemplate->standards());
    return host::TemplateRunner(testTemplate, file, application()).run(testRun);
  }
  host::HostApplicationService* application() {
    return dynamic_cast<host::HostApplicationService*>(host_api::hostServices().application.get());
  }
  std::string saved() const { return contentOf(file); }

  testing_host::TestHost host;
  // The host's own application service, which answers from the open template.
  host_api::HostServicesOverride realApplication{[] {
    auto services = std::make_shared<host_api::HostServices>(host_api::hostServices());
    services->application =
        std::make_shared<host::HostApplicationService>(host::HostLocations::resourceDir(), "en");
    return services;
  }()};
  TemplateRegistry registry;
  TempDir dir;
  std::filesystem::path file = dir / "pump.xml";
  std::shared_ptr<host::TestTemplate> testTemplate = std::make_shared<host::TestTemplate>();
};

TEST_F(TemplateRunnerTest, EachResultIsInTheFileBeforeTheNextElementStarts) {
  measuring(300, 41);
  std::string seenBySecond;
  add(400, [&](RunElement& self, host_api::ITestRun& run) {
    seenBySecond = saved();
    RunElement::measure(self, run, 42, 2);
  });
  measuring(500, 43, 3);
  auto outcome = run();
  EXPECT_NE(seenBySecond.find("Value=\"41\""), std::string::npos) << seenBySecond;
  EXPECT_EQ(seenBySecond.find("Value=\"42\""), std::string::npos);
  for (const char* value : {"Value=\"41\"", "Value=\"42\"", "Value=\"43\""}) {
    EXPECT_NE(saved().find(value), std::string::npos) << value;
  }
  ASSERT_EQ(outcome.elements.size(), 3u);
  EXPECT_EQ(outcome.elements[0].outcome, ElementOutcome::Passed);
  EXPECT_EQ(outcome.elements[1].outcome, ElementOutcome::Failed);
  EXPECT_EQ(outcome.elements[2].outcome, ElementOutcome::NoVerdict);
  EXPECT_FALSE(outcome.endedEarly);
  EXPECT_FALSE(outcome.allJudgedPassed());
}

TEST_F(TemplateRunnerTest, AReadingReportedPerformedIsSavedAtOnceWhileTheElementStillRuns) {
  std::string afterFirstReading;
  add(1100, [&](RunElement& self, host_api::ITestRun& run) {
    RunElement::measure(self, run, 7, 1);
    // The line dies here: what was reported must already be on disk.
    afterFirstReading = saved();
    RunElement::measure(self, run, 8, 1);
  });
  run();
  EXPECT_NE(afterFirstReading.find("Value=\"7\""), std::string::npos) << afterFirstReading;
  EXPECT_NE(saved().find("Value=\"8\""), std::string::npos);
}

TEST_F(TemplateRunnerTest, AbortAndStopEndTheRunBeforeTheNextElement) {
  for (int32_t status : {host_api::RunStatus::Aborted, host_api::RunStatus::Stopped}) {
    testTemplate = std::make_shared<host::TestTemplate>();
    measuring(300, 1);
    add(400, [status](RunElement& self, host_api::ITestRun& run) {
      RunElement::measure(self, run, 2, 1);
      run.Status_let(status);
    });
    auto last = measuring(500, 3);
    auto outcome = run();
    EXPECT_EQ(last->performed, 0) << status;
    EXPECT_TRUE(outcome.endedEarly);
    EXPECT_EQ(outcome.runStatus, status);
    EXPECT_NE(outcome.endReason.find(status == 2 ? "aborted" : "stopped"), std::string::npos);
    EXPECT_EQ(outcome.elements[2].outcome, ElementOutcome::NotPerformed);
    // Passed so far, but a run that ended early is never a pass.
    EXPECT_FALSE(outcome.allJudgedPassed());
    EXPECT_NE(saved().find("Value=\"2\""), std::string::npos);
  }
}

TEST_F(TemplateRunnerTest, AnElementsErrorEndsTheRunWithItsReadingsKept) {
  add(300, [](RunElement& self, host_api::ITestRun& run) {
    RunElement::measure(self, run, 5, 1);
    self.setConfigValue(6);  // measured, not yet reported, when the error came
    throw platform::ComError(static_cast<int32_t>(0x80047737), "CTestSingle", "No reply");
  });
  auto next = measuring(400, 9);
  auto outcome = run();
  EXPECT_EQ(next->performed, 0);
  EXPECT_TRUE(outcome.endedEarly);
  EXPECT_NE(outcome.endReason.find("test 300 ended in an error: No reply"), std::string::npos)
      << outcome.endReason;
  EXPECT_NE(saved().find("Value=\"6\""), std::string::npos);
}

TEST_F(TemplateRunnerTest, ATemplateThatCannotBeSavedIsNotMeasuredOn) {
  std::ofstream(dir / "plain") << "a file where the template's folder should be";
  file = dir / "plain" / "pump.xml";
  measuring(300, 1);
  auto second = measuring(400, 2);
  auto outcome = run();
  EXPECT_EQ(second->performed, 0);
  EXPECT_TRUE(outcome.endedEarly);
  EXPECT_NE(outcome.endReason.find("could not be saved"), std::string::npos) << outcome.endReason;
  EXPECT_EQ(outcome.saves, 0);
}

TEST_F(TemplateRunnerTest, ElementsFindTheirHostDataInTheOpenTemplate) {
  std::vector<std::pair<std::string, std::string>> data;
  int32_t seen = 0;
  add(300, [&](RunElement& self, host_api::ITestRun&) {
    data = host_api::hostServices().application->ElementData(self);
    seen = static_cast<int32_t>(host_api::hostServices().application->TestElements_get().size());
  });
  measuring(400, 1);
  auto outcome = run();
  ASSERT_FALSE(data.empty());
  EXPECT_EQ(data.front(), (std::pair<std::string, std::string>{"Standard", "IEC 62353"}));
  EXPECT_EQ(seen, 2);
  // An element that measured nothing was not performed; nothing judged failed.
  EXPECT_EQ(outcome.elements[0].outcome, ElementOutcome::NotPerformed);
  EXPECT_TRUE(outcome.allJudgedPassed());
}

}  // namespace
