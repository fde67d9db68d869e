#include <gtest/gtest.h>

#include "RunTestSupport.h"
#include "host_api/IMeasurement.h"
#include "plugin/results/CResultTestGroup.h"

using namespace elements_test;

namespace {

class GroupRunTest : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    connect();
    sequence = group(100);
    earth = single(300);
    insulation = single(400);
    sequence->Add(earth);
    sequence->Add(insulation);
  }

  // The guide as the operator drives it: the group's children are started, and each test is
  // run once (as its autorun would) before the guide answers `leafAnswer` for it.
  void driveGuide(std::function<int32_t(int32_t)> leafAnswer = nullptr) {
    guide->onPerform = [this, leafAnswer](const std::shared_ptr<host_api::ITestElement>& e) {
      if (e->TestID_get() == 100) return plugin::GuideResult::RunChildren;
      auto test = std::dynamic_pointer_cast<plugin::IAutoTest>(e);
      test->RunTest(*autorun());
      return leafAnswer ? leafAnswer(e->TestID_get()) : plugin::GuideResult::Next;
    };
  }

  std::shared_ptr<plugin::CTestGroup> sequence;
  std::shared_ptr<plugin::CTestSingle> earth, insulation;
};

TEST_F(GroupRunTest, TheGroupResultRollsUpTheChildrensReadingsAfterARealRun) {
  limit(*insulation, "::ST", 0.01f);  // the reading fails
  driveGuide();
  sequence->Perform(*run);

  EXPECT_EQ(guide->performed, (std::vector<int32_t>{100, 300, 400}));
  EXPECT_EQ(earth->Result_get()->Status_get(), host_api::ResultStatus::Passed);
  EXPECT_EQ(insulation->Result_get()->Status_get(), host_api::ResultStatus::Failed);
  auto result = std::dynamic_pointer_cast<plugin::CResultTestGroup>(sequence->Result_get());
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->Status_get(), host_api::ResultStatus::Failed);
  // The children were reported one by one, the group last.
  EXPECT_EQ(guide->added.back(), 100);
  EXPECT_EQ(run->Performed().back(), sequence.get());
  EXPECT_EQ(run->Status_get(), plugin::GuideResult::Next);
}

TEST_F(GroupRunTest, PreviousOnTheFirstChildRunsTheWholeGroupAgain) {
  int firstAnswers = 0;
  driveGuide([&](int32_t id) {
    if (id == 300 && firstAnswers++ == 0) return plugin::GuideResult::Previous;
    return plugin::GuideResult::Next;
  });
  sequence->Perform(*run);
  EXPECT_EQ(guide->performed, (std::vector<int32_t>{100, 300, 100, 300, 400}));
}

TEST_F(GroupRunTest, PreviousOnALaterChildGoesBackOneChild) {
  int secondAnswers = 0;
  driveGuide([&](int32_t id) {
    if (id == 400 && secondAnswers++ == 0) return plugin::GuideResult::Previous;
    return plugin::GuideResult::Next;
  });
  sequence->Perform(*run);
  EXPECT_EQ(guide->performed, (std::vector<int32_t>{100, 300, 400, 300, 400}));
}

TEST_F(GroupRunTest, AnAbortedChildEndsTheGroupAndKeepsWhatWasMeasured) {
  driveGuide([](int32_t) { return plugin::GuideResult::Aborted; });
  sequence->Perform(*run);

  EXPECT_EQ(guide->performed, (std::vector<int32_t>{100, 300}));
  EXPECT_EQ(keysOf(*earth), (std::vector<std::string>{"::ST1"}));
  EXPECT_EQ(insulation->Result_get(), nullptr);
}

TEST_F(GroupRunTest, AGroupWithoutChildrenIsNotPerformed) {
  auto empty = group(1000);
  empty->Perform(*run);
  EXPECT_TRUE(guide->performed.empty());
  EXPECT_EQ(empty->Result_get(), nullptr);
}

TEST_F(GroupRunTest, SkippingTheGroupRemovesItsResultsAndNotPerformedMarksThemWithoutVerdict) {
  driveGuide();
  sequence->Perform(*run);
  ASSERT_NE(earth->Result_get(), nullptr);

  guide->onPerform = [](const auto&) { return plugin::GuideResult::NotPerformed; };
  sequence->Perform(*run);
  EXPECT_EQ(earth->Result_get()->Status_get(), host_api::ResultStatus::NoVerdict);
  EXPECT_EQ(sequence->Result_get()->Status_get(), host_api::ResultStatus::NoVerdict);

  guide->onPerform = [](const auto&) { return plugin::GuideResult::Skipped; };
  sequence->Perform(*run);
  EXPECT_EQ(earth->Result_get(), nullptr);
  EXPECT_EQ(sequence->Result_get(), nullptr);
  EXPECT_EQ(guide->shownResults, (std::vector<int32_t>{100}));
}

TEST_F(GroupRunTest, ARestartAskedOfTheGroupReachesTheGuideAndComesBackWhenLeftPending) {
  sequence->ResetTheVariables_let(true);
  bool guideAsked = false;
  guide->onPerform = [&](const auto&) {
    guideAsked = guide->resetLeads;
    return plugin::GuideResult::Next;
  };
  sequence->Perform(*run);
  EXPECT_TRUE(guideAsked);
  // No lead sequence took the restart up, so the group keeps asking for it.
  EXPECT_TRUE(sequence->ResetTheVariables_get());
}

TEST_F(GroupRunTest, TheCompleteTestKeepsTheGuidesModulesWithItsResult) {
  device({{"CF", 2}});
  driveGuide();
  auto inner = group(1200);
  sequence->Add(inner);
  auto child = multi(1201);
  inner->Add(child);
  // The group 1200 inside the complete test is owned by the complete test.
  guide->onPerform = [](const auto&) { return plugin::GuideResult::NotPerformed; };
  inner->Perform(*run);
  auto result = std::dynamic_pointer_cast<plugin::CResultTestGroup>(sequence->Result_get());
  EXPECT_EQ(result, nullptr);  // the complete test has no result yet: nothing to keep it in

  sequence->ResetResult(plugin::CTestElement::ResetNoVerdict);
  inner->Perform(*run);
  result = std::dynamic_pointer_cast<plugin::CResultTestGroup>(sequence->Result_get());
  ASSERT_NE(result, nullptr);
  ASSERT_NE(result->ModuleSetup_get(), nullptr);
  EXPECT_EQ(result->ModuleSetup_get()->Count_get(), 1);
}

}  // namespace
