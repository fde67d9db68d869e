#include <gtest/gtest.h>

#include "RunTestSupport.h"
#include "host_api/IMeasurement.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/core/MPlugInErrors.h"
#include "support/ExpectError.h"

using namespace elements_test;
using plugin::CTestSingle;

namespace {

class SingleRunTest : public RunTest {
 protected:
  // A protective-earth test as the only child of the complete test, whose options decide
  // whether several points are measured and whether a failure halts the run.
  std::shared_ptr<CTestSingle> earthTestIn(bool severalPoints, bool halt, int32_t testId = 300) {
    sequence = group(100);
    auto options =
        std::dynamic_pointer_cast<plugin::CConfigTestGroup>(sequence->Configuration_get())
            ->Test_get();
    options->MultiplePETests_let(severalPoints);
    options->HaltOnTestFailure_let(halt);
    auto test = single(testId);
    sequence->Add(test);
    return test;
  }
  std::shared_ptr<host_api::IMeasurement> reading(const host_api::ITestElement& element, int i) {
    return element.Result_get()->Measurement_get(platform::Variant(i));
  }

  std::shared_ptr<plugin::CTestGroup> sequence;
};

TEST_F(SingleRunTest, AResistanceBeyondRangeIsKeptAsTheTextOL) {
  connect(withFaults({{"MREAD", "!32"}}));
  screen.answer("FStopOnPC: wait");
  openGuide();
  auto test = single(700);
  auto setup = autorun();
  test->RunTest(*setup);

  auto m = reading(*test, 1);
  EXPECT_EQ(m->Key_get(), "::ST");
  EXPECT_EQ(m->Value_get().toString(), "OL");
  EXPECT_EQ(m->ValueType_get(), 5);
  EXPECT_EQ(m->Flags_get(), "");
  EXPECT_EQ(m->Description_get(), "Single 700");
}

TEST_F(SingleRunTest, AnOverflowedReadingIsFlaggedAndJudgedAtTheOverflowValue) {
  connect(withFaults({{"MREAD", "!21"}}));
  openGuide();
  auto test = single(700);
  limit(*test, "::ST", 0.5f);
  test->RunTest(*autorun());

  auto m = reading(*test, 1);
  EXPECT_EQ(m->Flags_get(), "O");
  EXPECT_EQ(m->Value_get().toDouble(), 99999);
  // An overflow is never within a limit.
  EXPECT_EQ(m->Status_get(), host_api::ResultStatus::Failed);
}

TEST_F(SingleRunTest, RepeatedEarthReadingsWithKeptResultsAreNumberedInKeyAndDescription) {
  connect();
  openGuide();
  auto test = earthTestIn(true, false);
  screen.queue("FMultiTest", "click chkKeepResults, click cmdRepeat");
  screen.queue("FMultiTest", "click cmdRepeat");
  screen.queue("FMultiTest", "click cmdContinue");
  EXPECT_EQ(test->RunTest(*autorun()), vti::etsCompleted);

  EXPECT_EQ(keysOf(*test), (std::vector<std::string>{"::ST1", "::ST2", "::ST3"}));
  EXPECT_EQ(reading(*test, 2)->Description_get(), "PE Resistance2");
  EXPECT_EQ(commandCount("MREAD"), 3);
  EXPECT_TRUE(test->KeepResults_get());
  // Every kept reading was shown as it came, and the run knows the test was performed.
  EXPECT_EQ(guide->added.size(), 3u);
  EXPECT_EQ(run->Performed().size(), 3u);
}

TEST_F(SingleRunTest, ARepeatWithoutKeepingLeavesOnlyTheLastReading) {
  connect();
  openGuide();
  auto test = earthTestIn(true, false);
  screen.queue("FMultiTest", "click cmdRepeat");
  screen.queue("FMultiTest", "click cmdContinue");
  test->RunTest(*autorun());

  EXPECT_EQ(keysOf(*test), (std::vector<std::string>{"::ST1"}));
  EXPECT_EQ(commandCount("MREAD"), 2);
}

TEST_F(SingleRunTest, TheReadingAcceptedAfterKeptOnesOfAnyEarthTestGetsTheNextNumber) {
  // Outside test id 300 the accepted reading was given the number of the last kept one and
  // merged into it: two points measured, one reading left.
  connect();
  openGuide();
  auto test = earthTestIn(true, false, 310);
  screen.queue("FMultiTest", "click chkKeepResults, click cmdRepeat");
  screen.queue("FMultiTest", "click cmdContinue");
  test->RunTest(*autorun());

  EXPECT_EQ(keysOf(*test), (std::vector<std::string>{"::ST1", "::ST2"}));
}

TEST_F(SingleRunTest, AFailedReadingAnsweredRepeatRunsTheDriverTestAgain) {
  connect();
  openGuide();
  auto test = earthTestIn(false, true, 700);
  limit(*test, "::ST", 0.05f);
  screen.queue("FHaltOnFail", "click optRepeat, click cmdContinue");
  screen.queue("FHaltOnFail", "click optSave, click cmdContinue");
  test->RunTest(*autorun());

  EXPECT_EQ(commandCount("MREAD"), 2);
  EXPECT_EQ(screen.count("FHaltOnFail"), 2);
  ASSERT_EQ(keysOf(*test), (std::vector<std::string>{"::ST"}));
  EXPECT_EQ(reading(*test, 1)->Status_get(), host_api::ResultStatus::Failed);
  EXPECT_EQ(test->Result_get()->Status_get(), host_api::ResultStatus::Failed);
}

TEST_F(SingleRunTest, StoppingAtAFailureRaisesTheStopErrorAndHaltsTheDriver) {
  connect();
  openGuide();
  auto test = earthTestIn(false, true, 700);
  limit(*test, "::ST", 0.05f);
  screen.queue("FHaltOnFail", "click cmdStop");
  auto error = expectComError([&] { test->RunTest(*autorun()); });

  EXPECT_EQ(error.number(), plugin::MPlugInErrors::errStopRun);
  EXPECT_EQ(error.source(), "CTestSingle");
  EXPECT_TRUE(vti->FlagAbort());
  EXPECT_EQ(test->Result_get(), nullptr);
}

TEST_F(SingleRunTest, TheResultNamesTheInstrumentTheRunRegistered) {
  connect();
  openGuide();
  auto test = single(700);
  test->RunTest(*autorun());

  auto result = test->Result_get();
  ASSERT_EQ(run->InstrumentData_get().size(), 1u);
  EXPECT_EQ(result->MTIID_get(), run->InstrumentData_get().front()->Index());
  EXPECT_NE(result->MTIID_get(), 0);
}

TEST_F(SingleRunTest, WithoutAConnectionTheRunStopsInsteadOfJudgingNothing) {
  // No analyzer answers on the assigned port: the driver has told the operator.
  screen.answer("MessageBox: click cmdOK");
  openGuide();
  auto test = single(700);
  auto error = expectComError([&] { test->RunTest(*autorun()); });
  EXPECT_EQ(error.number(), plugin::MPlugInErrors::errStopRun);
  EXPECT_EQ(test->Result_get(), nullptr);
}

TEST_F(SingleRunTest, TheOperatorsECGVerdictIsTheReadingOfTheWaveformShown) {
  connect();
  openGuide();
  auto test = single(1900, nullptr, vti::etcECGTest, vti::epcNC);
  screen.queue("FECGResult", "click cmdRepeat");
  screen.queue("FECGResult", "click cmdFail");
  test->RunTest(*autorun());

  EXPECT_EQ(screen.count("FECGResult"), 2);
  ASSERT_EQ(test->Result_get()->MeasurementCount_get(), 1);
  auto m = reading(*test, 1);
  EXPECT_EQ(m->Description_get(), "Complex 30 BPM");
  EXPECT_EQ(m->ValueType_get(), 3);
  EXPECT_EQ(m->Value_get().toString(), "Fail");
  EXPECT_EQ(m->Status_get(), host_api::ResultStatus::Failed);
  EXPECT_EQ(test->Result_get()->Status_get(), host_api::ResultStatus::Failed);
}

// Perform: the host's run of one element through the guide.

TEST_F(SingleRunTest, PerformHandsTheGuidesAnswerToTheRunUntilItStopsAskingAgain) {
  connect();
  auto test = single(700);
  int asked = 0;
  guide->onPerform = [&](const auto&) {
    test->RunTest(*autorun());
    return ++asked < 2 ? host_api::RunStatus::Repeat : plugin::GuideResult::Next;
  };
  test->Perform(*run);

  EXPECT_EQ(asked, 2);
  EXPECT_EQ(run->Status_get(), plugin::GuideResult::Next);
  // The guide opened for the element is closed again.
  EXPECT_EQ(plugin::MGlobalTestGuide::CurrentTestGuide(), nullptr);
}

TEST_F(SingleRunTest, AnAbortedPerformKeepsTheReadingsTakenAndASkippedOneHasNoResult) {
  connect();
  auto test = single(700);
  guide->onPerform = [&](const auto&) {
    test->RunTest(*autorun());
    return plugin::GuideResult::Aborted;
  };
  test->Perform(*run);
  EXPECT_EQ(keysOf(*test), (std::vector<std::string>{"::ST"}));
  EXPECT_EQ(run->Performed().back(), test.get());

  guide->onPerform = [](const auto&) { return plugin::GuideResult::Skipped; };
  test->Perform(*run);
  EXPECT_EQ(test->Result_get(), nullptr);
}

TEST_F(SingleRunTest, NotPerformedMarksTheResultWithoutVerdict) {
  auto test = single(700);
  test->RunResult()->AddMeasurement(resultWith(1)->Item(1));
  guide->onPerform = [](const auto&) { return plugin::GuideResult::NotPerformed; };
  test->Perform(*run);

  EXPECT_EQ(test->Result_get()->MeasurementCount_get(), 0);
  EXPECT_EQ(test->Result_get()->Status_get(), host_api::ResultStatus::NoVerdict);
  EXPECT_EQ(guide->added, (std::vector<int32_t>{700}));
}

}  // namespace
