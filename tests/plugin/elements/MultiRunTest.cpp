#include <gtest/gtest.h>

#include "RunTestSupport.h"
#include "driver/CTrxTestOptions.h"
#include "host_api/IMeasurement.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/core/MPlugInErrors.h"
#include "support/ExpectError.h"

using namespace elements_test;
using plugin::CTestMulti;

namespace {

class MultiRunTest : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    connect();
    openGuide();
  }

  // A multi test in a group of its hundred (at the top of the template) whose options ask for
  // every lead or the worst case.
  std::shared_ptr<CTestMulti> multiInGroup(int32_t testId, bool allLeads) {
    owner = group(testId / 100 * 100);
    options(*owner).PLConfiguration_let(allLeads ? vti::eepl_All : vti::eepl_Worst);
    auto test = multi(testId);
    owner->Add(test);
    return test;
  }
  static plugin::CCfgTestOptions& options(host_api::ITestElement& element) {
    return *std::dynamic_pointer_cast<plugin::CConfigTestGroup>(element.Configuration_get())
                ->Test_get();
  }
  // One call of the expansion: lead `lead` alone.
  void runLead(CTestMulti& test, plugin::CAutoRunSetup& setup, int32_t lead) {
    setup.LeadNo_let(lead);
    setup.AppliedParts_let(plugin::MGlobalVTI::LeadName(lead) + "//OPEN");
    test.RunTest(setup);
  }
  std::pair<int32_t, int32_t> where(const CTestMulti& test) {
    return {test.Sequence_get().moduleCursor, test.Sequence_get().position};
  }

  std::shared_ptr<plugin::CTestGroup> owner;
};

TEST_F(MultiRunTest, EveryLeadOfTwoClassBModulesIsMeasuredOnePerCallThenTheSequenceStartsAgain) {
  auto modules = device({{"B", 2}, {"B", 2}});
  auto test = multiInGroup(1101, true);
  auto setup = autorun(modules);

  runLead(*test, *setup, 1);
  EXPECT_EQ(where(*test), std::make_pair(2, 2));
  EXPECT_EQ(keysOf(*test), (std::vector<std::string>{"::@1$1::_", "::@1$1::B#11"}));
  // Two of the six rows the modules give: not complete yet.
  EXPECT_EQ(test->Result_get()->Status_get(), host_api::ResultStatus::None);

  runLead(*test, *setup, 2);
  EXPECT_EQ(where(*test), std::make_pair(2, 1));
  runLead(*test, *setup, 3);
  EXPECT_EQ(where(*test), std::make_pair(3, 2));
  runLead(*test, *setup, 4);
  EXPECT_EQ(where(*test), std::make_pair(1, 1));
  EXPECT_EQ(keysOf(*test), (std::vector<std::string>{"::@1$1::_", "::@1$1::B#11", "::@1$1::B#12",
                                                     "::@1$2::_", "::@1$2::B#21", "::@1$2::B#22"}));
  EXPECT_EQ(test->Result_get()->Status_get(), host_api::ResultStatus::Passed);
  EXPECT_EQ(commandCount("MREAD"), 4);
  // The lead readings are described by their lead, the headings by their module.
  EXPECT_EQ(test->Result_get()->Measurement_get(platform::Variant(3))->Description_get(),
            "     LL");

  runLead(*test, *setup, 1);
  EXPECT_EQ(where(*test), std::make_pair(2, 2));
  EXPECT_EQ(test->Result_get()->MeasurementCount_get(), 6);
}

TEST_F(MultiRunTest, ResetTheVariablesRestartsAtTheFirstModule) {
  auto modules = device({{"B", 2}, {"B", 2}});
  auto test = multiInGroup(1101, true);
  auto setup = autorun(modules);
  runLead(*test, *setup, 1);
  runLead(*test, *setup, 2);
  runLead(*test, *setup, 3);
  ASSERT_EQ(where(*test), std::make_pair(3, 2));

  test->ResetTheVariables_let(true);
  runLead(*test, *setup, 1);
  EXPECT_EQ(where(*test), std::make_pair(2, 2));
  EXPECT_FALSE(test->ResetTheVariables_get());

  // The guide asks for the same.
  guide->resetLeads = true;
  runLead(*test, *setup, 1);
  EXPECT_EQ(where(*test), std::make_pair(2, 2));
  EXPECT_FALSE(guide->resetLeads);
}

TEST_F(MultiRunTest, ARepeatedLeadReadingMeasuresTheSameLeadAgain) {
  auto modules = device({{"B", 2}, {"B", 2}});
  auto test = multiInGroup(1101, true);
  options(*owner).HaltOnTestFailure_let(true);
  limit(*test, "::B", 1.0f);  // RA reads 3.5 uA
  screen.queue("FHaltOnFail", "click optRepeat, click cmdContinue");
  screen.queue("FHaltOnFail", "click optSave, click cmdContinue");
  auto setup = autorun(modules);
  runLead(*test, *setup, 1);

  EXPECT_EQ(commandCount("MREAD"), 2);
  EXPECT_EQ(where(*test), std::make_pair(2, 2));
  EXPECT_EQ(keysOf(*test), (std::vector<std::string>{"::@1$1::_", "::@1$1::B#11"}));
  // A failed reading is not hidden behind the unfinished sequence.
  EXPECT_EQ(test->Result_get()->Status_get(), host_api::ResultStatus::Failed);
}

TEST_F(MultiRunTest, OutsideTheClassBTestsEveryLeadModeTakesOneCombinedReading) {
  auto modules = device({{"B", 2}, {"B", 2}});
  auto test = multiInGroup(900, true);
  auto setup = autorun(modules);
  setup->CombineResults_let(1);  // class B measured together
  runLead(*test, *setup, 1);

  EXPECT_EQ(keysOf(*test), (std::vector<std::string>{"::1::B", "::2::B"}));
  EXPECT_EQ(commandCount("MREAD"), 1);
  EXPECT_EQ(where(*test), std::make_pair(1, 1));
  // No number of rows is known for this test: the readings' verdict stands.
  EXPECT_EQ(test->Result_get()->Status_get(), host_api::ResultStatus::Passed);
}

TEST_F(MultiRunTest, Test830TakesOneCombinedReadingEvenWhenAllLeadsAreAskedFor) {
  auto modules = device({{"CF", 2}});
  auto test = multiInGroup(830, true);
  auto setup = autorun(modules);
  runLead(*test, *setup, 1);

  EXPECT_EQ(keysOf(*test), (std::vector<std::string>{"::1::CF"}));
  EXPECT_EQ(where(*test), std::make_pair(1, 1));
  EXPECT_EQ(test->Result_get()->Status_get(), host_api::ResultStatus::Passed);
}

TEST_F(MultiRunTest, ACombinedACReadingOfModuleTwoIsKeyedByModuleClassAndSuffix) {
  auto modules = device({{"B", 1}, {"CF", 2}});
  auto test = multiInGroup(1201, false);
  vti->TestOptions_get()->MeasType_let(vti::emt_AC);
  auto setup = autorun(modules);
  runLead(*test, *setup, 2);

  EXPECT_EQ(keysOf(*test), (std::vector<std::string>{"::2::CF_AC"}));
  auto m = test->Result_get()->Measurement_get(platform::Variant(1));
  EXPECT_EQ(m->LimitKey_get(), "::CF_AC");
  EXPECT_EQ(m->Description_get(), "CF2");
}

TEST_F(MultiRunTest, AnOverflowedLeadReadingIsFlagged) {
  connect(withFaults({{"MREAD", "!21"}}));
  auto modules = device({{"CF", 1}});
  auto test = multiInGroup(1201, false);
  auto setup = autorun(modules);
  runLead(*test, *setup, 1);
  EXPECT_EQ(test->Result_get()->Measurement_get(platform::Variant(1))->Flags_get(), "O");
}

TEST_F(MultiRunTest, StoppingAtAFailedLeadRaisesTheStopErrorAndHaltsTheDriver) {
  auto modules = device({{"B", 2}});
  auto test = multiInGroup(1101, true);
  options(*owner).HaltOnTestFailure_let(true);
  limit(*test, "::B", 1.0f);
  screen.queue("FHaltOnFail", "click cmdStop");
  auto setup = autorun(modules);
  auto error = expectComError([&] { runLead(*test, *setup, 1); });

  EXPECT_EQ(error.number(), plugin::MPlugInErrors::errStopRun);
  EXPECT_EQ(error.source(), "CTestMulti");
  EXPECT_TRUE(vti->FlagAbort());
}

TEST_F(MultiRunTest, PerformKeepsTheGuidesModulesWithTheOwnResultAndPassesOnARestart) {
  auto modules = device({{"CF", 1}});
  // On its own in the template, the test owns itself.
  auto test = multi(1201, std::make_shared<plugin::CConfigTestGroup>());
  plugin::MGlobalTestGuide::CloseTestGuide();
  guide->onPerform = [&](const auto&) {
    auto setup = autorun(modules);
    runLead(*test, *setup, 1);
    guide->resetLeads = true;
    return plugin::GuideResult::Next;
  };
  test->Perform(*run);

  auto result = std::dynamic_pointer_cast<plugin::CResultData>(test->Result_get());
  ASSERT_NE(result->ModuleSetup_get(), nullptr);
  EXPECT_EQ(result->ModuleSetup_get()->Count_get(), 1);
  EXPECT_TRUE(test->ResetTheVariables_get());
}

}  // namespace
