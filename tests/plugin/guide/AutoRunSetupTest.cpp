#include <gtest/gtest.h>

#include "GuideTestSupport.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/guide/CAutoRunScheduler.h"
#include "plugin/guide/FHaltOnFail.h"
#include "plugin/guide/MRunSteps.h"
#include "plugin/modules/MModuleUtils.h"

namespace guide_test {
namespace {

using Ids = std::vector<int32_t>;
namespace cls = plugin::MModuleUtils;

class AutoRunSetup : public GuideTest {};

TEST_F(AutoRunSetup, TakesTheGuidesModulesAndSelectsThemAllAsTheSameObjects) {
  auto ecg = module("ECG", 2, 1, cls::ClassBF);
  auto modules = device({ecg, module("Probe", 1, 3, cls::ClassCF)});
  openGuide(modules);
  plugin::CAutoRunSetup cas;
  cas.Initialize(&*testRun, nullptr);

  EXPECT_EQ(cas.Modules_get(), modules);
  EXPECT_EQ(cas.ModuleCount_get(), 2);
  ASSERT_NE(cas.SelectedModules_get(), modules);
  EXPECT_EQ(cas.SelectedModules_get()->Item(1), ecg);
  EXPECT_EQ(ecg->ModuleID_get(), 1);
}

TEST_F(AutoRunSetup, GroupWhoseFilterExcludesEveryModuleIsNotApplicableAndRunsNothing) {
  openGuide(device({module("ECG", 2, 1, cls::ClassBF), module("Probe", 1, 3, cls::ClassCF)}));
  auto root = group(1000, {moduleTest(1110, vti::etcPatLeak, vti::epcNC),
                           test(400, vti::etcEarthLeak, vti::epcNC)});
  root->config().Modules_get()->Filter_get()->Add("Name", "Catheter");
  plugin::CAutoRunSetup cas;
  cas.Initialize(&*testRun, nullptr);
  EXPECT_FALSE(
      cas.IsApplicable(root, plugin::MRunSteps::SelectionOf(cas.Modules_get()->NewEnum(), 0)));

  plugin::CAutoRunScheduler().Run(root, &*testRun);
  EXPECT_TRUE(journal->runs.empty());
}

TEST_F(AutoRunSetup, ApplicabilityFollowsSelectionModulesAndChildren) {
  auto cas = autorun(device({}));
  auto common = test(400, vti::etcEarthLeak, vti::epcNC);
  auto applied = moduleTest(1110, vti::etcPatLeak, vti::epcNC);
  EXPECT_TRUE(cas->IsApplicable(common));
  EXPECT_FALSE(cas->IsApplicable(applied));
  EXPECT_FALSE(cas->IsApplicable(group(1000, {})));

  testRun->Select({applied});
  EXPECT_FALSE(cas->IsApplicable(common));
}

TEST_F(AutoRunSetup, HasTestsLooksForAnApplicableTestWithOneOfTheCodes) {
  auto cas = autorun(device({module("ECG", 2, 1, cls::ClassBF)}));
  auto root = group(1000, {test(400, vti::etcEarthLeak, vti::epcNC),
                           group(1100, {moduleTest(1110, vti::etcPatLeak, vti::epcNC)})});
  auto all = [&] { return plugin::MRunSteps::SelectionOf(cas->Modules_get()->NewEnum(), 0); };
  EXPECT_TRUE(cas->HasTests(root, all(), {vti::etcPatLeak}));
  EXPECT_TRUE(cas->HasTests(root, all(), {}));
  EXPECT_FALSE(cas->HasTests(root, all(), {vti::etcMAP}));
  EXPECT_FALSE(cas->HasTests(root, plugin::MRunSteps::SelectionOf({}, 0), {vti::etcPatLeak}));
}

class HaltOnFailure : public AutoRunSetup {
 protected:
  void SetUp() override {
    AutoRunSetup::SetUp();
    leaf = test(400, vti::etcEarthLeak, vti::epcNC);
    root = group(1000, {leaf});
    cas = autorun(device({}));
  }

  std::shared_ptr<FakeTest> leaf;
  std::shared_ptr<FakeGroup> root;
  std::unique_ptr<plugin::CAutoRunSetup> cas;
};

TEST_F(HaltOnFailure, AnswerKeptForAllFailuresAsksNoMore) {
  screen().addRule(
      {plugin::FHaltOnFail::kFormName,
       "",
       "",
       {{1s, platform::forms::ScriptAction::Click, plugin::FHaltOnFail::kUseOnAll, ""},
        {1s, platform::forms::ScriptAction::Click, plugin::FHaltOnFail::kContinue, ""}}});
  EXPECT_EQ(cas->HaltOnFailure(leaf, nullptr), plugin::FHaltOnFail::AnswerSave);
  EXPECT_TRUE(cas->HaltAnswerKept_get());
  EXPECT_EQ(cas->HaltOnFailure(leaf, nullptr), 0);
  EXPECT_EQ(shown(plugin::FHaltOnFail::kFormName), 1);
}

TEST_F(HaltOnFailure, OperatorsStopIsTheAnswerAndNothingIsAskedWithoutHalting) {
  answer(plugin::FHaltOnFail::kFormName, plugin::FHaltOnFail::kStop);
  EXPECT_EQ(cas->HaltOnFailure(leaf, nullptr), plugin::FHaltOnFail::AnswerStop);
  EXPECT_FALSE(cas->HaltAnswerKept_get());

  root->config().Test_get()->HaltOnTestFailure_let(false);
  EXPECT_EQ(cas->HaltOnFailure(leaf, nullptr), 0);
  EXPECT_EQ(shown(plugin::FHaltOnFail::kFormName), 1);
}

TEST_F(HaltOnFailure, DialogThatCannotBeShownAnswersZero) {
  // No rule answers the dialog: the scripted screen refuses to show it.
  EXPECT_EQ(cas->HaltOnFailure(leaf, nullptr), 0);
}

TEST_F(AutoRunSetup, CancelledLeadConnectionStopsTheRun) {
  answer("FConnectLeads", "cmdStop");
  auto cas = autorun(device({module("ECG", 2, 1, cls::ClassBF)}));
  try {
    cas->ShowLeadConnectForm(1);
    FAIL() << "the run went on";
  } catch (const platform::ComError& error) {
    EXPECT_EQ(error.number(), plugin::MPlugInErrors::errStopRun);
  }
  EXPECT_EQ(cas->State_get(), 1);
}

TEST_F(AutoRunSetup, LeadZeroedInThisRunIsNotZeroedAgain) {
  auto cas = autorun(device({}));
  cas->Calibrated_let(true);
  cas->ShowCalibrationForm();
  EXPECT_EQ(shown("FCalibrate"), 0);
  EXPECT_TRUE(cas->Calibrated_get());
}

}  // namespace
}  // namespace guide_test
