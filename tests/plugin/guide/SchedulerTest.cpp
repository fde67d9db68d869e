#include <gtest/gtest.h>

#include <algorithm>

#include "GuideTestSupport.h"
#include "platform/forms/MessageBox.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/guide/CAutoRunScheduler.h"
#include "plugin/results/CResultData.h"
#include "plugin/results/CResultTestGroup.h"

namespace guide_test {
namespace {

using plugin::CAutoRunScheduler;
using Ids = std::vector<int32_t>;

class Scheduler : public GuideTest {
 protected:
  // A group whose first test fails with `error` and whose second test never runs.
  std::shared_ptr<FakeGroup> failingGroup(const platform::ComError& error) {
    auto failing = test(401, vti::etcEarthLeak, vti::epcNC);
    failing->onRun = [error](plugin::CAutoRunSetup&) { throw error; };
    auto made = group(1000, {failing, test(402, vti::etcEarthLeak, vti::epcNC)});
    made->result = std::make_shared<plugin::CResultTestGroup>();
    return made;
  }

  bool performed(const host_api::ITestElement& element) const {
    const auto& all = testRun->Performed();
    return std::find(all.begin(), all.end(), &element) != all.end();
  }

  CAutoRunScheduler scheduler;
};

TEST_F(Scheduler, StopErrorReachesTheCallerUnchanged) {
  auto root =
      failingGroup(platform::ComError(plugin::MPlugInErrors::errStopRun, "CTestSingle", "x"));
  try {
    scheduler.Run(root, &*testRun);
    FAIL() << "the stop was swallowed";
  } catch (const platform::ComError& error) {
    EXPECT_EQ(error.number(), plugin::MPlugInErrors::errStopRun);
    EXPECT_EQ(error.source(), "CTestSingle");
    EXPECT_EQ(error.description(), "x");
  }
  EXPECT_EQ(shown(platform::forms::MessageBox::kFormName), 0);
}

TEST_F(Scheduler, FailureTheDriverHasShownEndsTheRunQuietly) {
  auto root = failingGroup(platform::ComError(vti::errVTI_Error, "CTrxVti", "shown"));
  EXPECT_NO_THROW(scheduler.Run(root, &*testRun));
  EXPECT_EQ(journal->tests(), (Ids{401}));
  EXPECT_EQ(shown(platform::forms::MessageBox::kFormName), 0);
}

TEST_F(Scheduler, OtherFailuresAreShownAndThenStopTheRun) {
  answer(platform::forms::MessageBox::kFormName, platform::forms::MessageBox::kOK);
  auto root = failingGroup(platform::ComError(53, "Somewhere", "File not found"));
  try {
    scheduler.Run(root, &*testRun);
    FAIL() << "the run did not stop";
  } catch (const platform::ComError& error) {
    EXPECT_EQ(error.number(), plugin::MPlugInErrors::errStopRun);
    EXPECT_EQ(error.source(), "CAutoRunScheduler");
  }
  ASSERT_EQ(shown(platform::forms::MessageBox::kFormName), 1);
  const auto& box = screen().journal().back();
  EXPECT_EQ(box.texts, (std::vector<std::string>{"imgIcon: [warning]", "lblMessage: File not found",
                                                 "cmdOK: OK"}));
  EXPECT_EQ(journal->tests(), (Ids{401}));
}

TEST_F(Scheduler, GroupResultsAreCollectedAlsoAfterAFailure) {
  auto inner = group(1100, {test(403, vti::etcEarthLeak, vti::epcNC)});
  inner->result = std::make_shared<plugin::CResultTestGroup>();
  auto root = failingGroup(platform::ComError(vti::errVTI_Error, "CTrxVti", "shown"));
  adopt(root, inner);
  scheduler.Run(root, &*testRun);

  // Members without results leave no group result behind; both groups were handled.
  EXPECT_EQ(root->resets, (Ids{2}));
  EXPECT_EQ(inner->resets, (Ids{2}));
  EXPECT_TRUE(performed(*root));
  EXPECT_TRUE(performed(*inner));
}

TEST_F(Scheduler, GroupWithAVerdictIsShownInTheGuide) {
  auto& guide = openGuide(device({}));
  auto leaf = test(401, vti::etcEarthLeak, vti::epcNC);
  auto passed = std::make_shared<plugin::CResultData>();
  passed->Status_let(1);
  leaf->result = passed;
  auto root = group(1000, {leaf});
  auto groupResult = std::make_shared<plugin::CResultTestGroup>();
  groupResult->SummaryMode_let(0);
  root->result = groupResult;
  scheduler.Run(root, &*testRun);

  EXPECT_EQ(groupResult->Status_get(), 1);
  EXPECT_EQ(guide.added, (std::vector<const host_api::ITestElement*>{root.get()}));
  EXPECT_TRUE(root->resets.empty());
}

TEST_F(Scheduler, CalibrationIsHandedToTheRunAndTakenBack) {
  std::vector<bool> seen;
  auto leaf = test(401, vti::etcEarthLeak, vti::epcNC);
  leaf->onRun = [&](plugin::CAutoRunSetup& setup) {
    seen.push_back(setup.Calibrated_get());
    setup.Calibrated_let(!setup.Calibrated_get());
  };
  // The nested group runs optimized, with a scheduler of its own.
  auto nested = group(100, {leaf});
  nested->config().Test_get()->Optimized_let(true);
  auto root = group(1000, {nested});
  scheduler.Calibrated_let(true);
  scheduler.Run(root, &*testRun);
  EXPECT_FALSE(scheduler.Calibrated_get());
  scheduler.Run(root, &*testRun);

  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
  EXPECT_TRUE(scheduler.Calibrated_get());
}

TEST_F(Scheduler, StopWithoutARunChangesNothingAndFailsNothing) {
  EXPECT_NO_THROW(scheduler.StopTest(1));
  scheduler.Run(group(1000, {test(401, vti::etcEarthLeak, vti::epcNC)}), &*testRun);
  EXPECT_EQ(journal->tests(), (Ids{401}));
}

}  // namespace
}  // namespace guide_test
