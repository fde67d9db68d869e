#include <gtest/gtest.h>

#include "GuideTestSupport.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/guide/CAutoRunScheduler.h"
#include "plugin/guide/CRunIec.h"
#include "plugin/guide/CRunIecOptimized.h"
#include "plugin/guide/CRunModSep.h"
#include "plugin/guide/CRunModSepOptimized.h"
#include "plugin/guide/FConnectLeads.h"
#include "plugin/modules/MModuleUtils.h"

namespace guide_test {
namespace {

using plugin::CAutoRunScheduler;
using Ids = std::vector<int32_t>;
using Strings = std::vector<std::string>;
namespace cls = plugin::MModuleUtils;

class RunStrategies : public GuideTest {
 protected:
  // Runs `root` as the test guide does: a scheduler over the host test run.
  void run(const std::shared_ptr<FakeGroup>& root) { scheduler.Run(root, &*testRun); }

  static void optimize(const std::shared_ptr<FakeGroup>& g) {
    g->config().Test_get()->Optimized_let(true);
  }
  static void separate(const std::shared_ptr<FakeGroup>& g) {
    g->config().Modules_get()->TestSeparately_let(true);
  }

  CAutoRunScheduler scheduler;
};

TEST_F(RunStrategies, GroupOptionsChooseTheStrategyAndASingleTestRunsInItsOwnOrder) {
  auto plain = group(100, {test(400, vti::etcEarthLeak, vti::epcNC)});
  EXPECT_NE(dynamic_cast<plugin::CRunIec*>(CAutoRunScheduler::ChooseStrategy(*plain).get()),
            nullptr);
  optimize(plain);
  EXPECT_NE(
      dynamic_cast<plugin::CRunIecOptimized*>(CAutoRunScheduler::ChooseStrategy(*plain).get()),
      nullptr);
  separate(plain);
  EXPECT_NE(
      dynamic_cast<plugin::CRunModSepOptimized*>(CAutoRunScheduler::ChooseStrategy(*plain).get()),
      nullptr);
  plain->config().Test_get()->Optimized_let(false);
  auto strategy = CAutoRunScheduler::ChooseStrategy(*plain);
  auto* modSep = dynamic_cast<plugin::CRunModSep*>(strategy.get());
  EXPECT_NE(modSep, nullptr);
  EXPECT_EQ(dynamic_cast<plugin::CRunModSepOptimized*>(modSep), nullptr);
  auto leaf = test(400, vti::etcEarthLeak, vti::epcNC);
  EXPECT_NE(dynamic_cast<plugin::CRunIec*>(CAutoRunScheduler::ChooseStrategy(*leaf).get()),
            nullptr);
}

TEST_F(RunStrategies, OptimizedRunGroupsTestsByPowerPhaseWhateverTheTreeOrder) {
  auto reversed = test(401, vti::etcEarthLeak, vti::epcNCRM);
  auto normal = test(402, vti::etcEarthLeak, vti::epcNC);
  auto inner = group(
      1000, {test(403, vti::etcEarthLeak, vti::epcNCRM), test(404, vti::etcEarthLeak, vti::epcON)});
  auto root = group(100, {reversed, inner, normal, test(405, vti::etcIRMains),
                          test(406, vti::etcMains, vti::epcMainsL1L2)});
  optimize(root);
  run(root);

  // Mains voltage (no phase), power off, normal, open neutral, reversed.
  EXPECT_EQ(journal->tests(), (Ids{406, 405, 402, 404, 401, 403}));
}

TEST_F(RunStrategies, OptimizedAndModuleByModuleGroupsLeaveOutElementsOfOtherPlugIns) {
  auto foreign = std::make_shared<ForeignElement>();
  auto root = group(100, {foreign, test(400, vti::etcEarthLeak, vti::epcNC)});
  optimize(root);
  run(root);
  separate(root);
  run(root);

  EXPECT_EQ(foreign->performed, 0);
  EXPECT_EQ(journal->tests(), (Ids{400, 400}));
}

TEST_F(RunStrategies, PlainRunPerformsAForeignElementWithTheGuideHidden) {
  auto& guide = openGuide(device({}));
  guide.form = std::make_unique<platform::forms::Form>("FTestGuide");
  screen().addRule({"FTestGuide", "", "", {}});
  guide.form->show();
  auto foreign = std::make_shared<ForeignElement>();
  bool visibleDuringPerform = true;
  foreign->onPerform = [&] { visibleDuringPerform = guide.form->Visible_get(); };
  run(group(1000, {foreign, test(400, vti::etcEarthLeak, vti::epcNC)}));

  EXPECT_EQ(foreign->performed, 1);
  EXPECT_FALSE(visibleDuringPerform);
  EXPECT_TRUE(guide.form->Visible_get());
  EXPECT_EQ(journal->tests(), (Ids{400}));
}

TEST_F(RunStrategies, AForeignElementLeftInAnotherStateStopsTheRun) {
  auto foreign = std::make_shared<ForeignElement>();
  foreign->statusAfter = 5;
  try {
    run(group(1000, {foreign, test(400, vti::etcEarthLeak, vti::epcNC)}));
    FAIL() << "the run went on";
  } catch (const platform::ComError& error) {
    EXPECT_EQ(error.number(), plugin::MPlugInErrors::errStopRun);
    EXPECT_EQ(error.source(), "CRunIec");
  }
  EXPECT_TRUE(journal->runs.empty());
}

TEST_F(RunStrategies, ModuleByModuleRunsCommonTestsFirstThenEachModuleAlone) {
  openGuide(device({module("Belt", 1, 1, cls::ClassB), module("ECG", 2, 2, cls::ClassBF)}));
  auto root = group(100, {moduleTest(1110, vti::etcPatLeak, vti::epcNC),
                          test(400, vti::etcEarthLeak, vti::epcNC)});
  separate(root);
  run(root);

  EXPECT_EQ(journal->tests(), (Ids{400, 1110, 1110}));
  EXPECT_EQ(journal->parts(), (Strings{"//OPEN", "RA//OPEN", "LL,LA//OPEN"}));
  EXPECT_EQ(journal->runs[1].selectedIds, (Ids{1}));
  EXPECT_EQ(journal->runs[2].selectedIds, (Ids{2}));
  // Each module's results are its own, also in a worst-case reading.
  EXPECT_EQ(journal->runs[1].combineResults, 0);
}

TEST_F(RunStrategies, ModuleByModuleWithoutModulesRunsOnlyTheCommonTests) {
  openGuide(device({}));
  auto root = group(100, {moduleTest(1110, vti::etcPatLeak, vti::epcNC),
                          test(400, vti::etcEarthLeak, vti::epcNC)});
  separate(root);
  run(root);

  EXPECT_EQ(journal->tests(), (Ids{400}));
}

class ModuleGroups : public RunStrategies {
 protected:
  void SetUp() override {
    RunStrategies::SetUp();
    auto modules = device({module("Belt", 1, 1, cls::ClassBF)});
    addGroup(*modules, {module("ECG a", 2, 2, cls::ClassBF), module("ECG b", 2, 2, cls::ClassBF)},
             2);
    openGuide(modules);
    root = group(100, {moduleTest(1110, vti::etcPatLeak, vti::epcNC)});
    separate(root);
    root->config().Modules_get()->StopAtNew_let(true);
  }
  void connect(const char* button) { answer(plugin::FConnectLeads::kFormName, button); }

  std::shared_ptr<FakeGroup> root;
};

TEST_F(ModuleGroups, ExpandedGroupGivesEveryMemberItsOwnPassAndPrompt) {
  root->config().Modules_get()->ExpandGroups_let(true);
  connect(plugin::FConnectLeads::kContinue);
  run(root);

  EXPECT_EQ(journal->parts(), (Strings{"RA//OPEN", "LL,LA//OPEN", "LL,LA//OPEN"}));
  EXPECT_EQ(journal->runs[1].selectedIds, (Ids{3}));
  EXPECT_EQ(journal->runs[2].selectedIds, (Ids{4}));
  EXPECT_EQ(shown(plugin::FConnectLeads::kFormName), 3);
}

TEST_F(ModuleGroups, UnexpandedGroupGetsOnePass) {
  connect(plugin::FConnectLeads::kContinue);
  run(root);

  EXPECT_EQ(journal->parts(), (Strings{"RA//OPEN", "LL,LA//OPEN"}));
  EXPECT_EQ(journal->runs[1].selectedIds, (Ids{2}));
  EXPECT_EQ(shown(plugin::FConnectLeads::kFormName), 2);
}

TEST_F(ModuleGroups, CancelledLeadConnectionStopsTheWholeRunFromANestedGroup) {
  connect(plugin::FConnectLeads::kStop);
  auto outer = group(100, {root, test(400, vti::etcEarthLeak, vti::epcNC)});
  try {
    run(outer);
    FAIL() << "the run went on";
  } catch (const platform::ComError& error) {
    EXPECT_EQ(error.number(), plugin::MPlugInErrors::errStopRun);
  }
  EXPECT_TRUE(journal->runs.empty());
}

TEST_F(RunStrategies, ModulePassSkipsModulesTheGroupIsNotAbout) {
  openGuide(device({module("Belt", 1, 1, cls::ClassBF), module("ECG", 3, 2, cls::ClassB)}));
  // A lead-against-lead group: only modules of several leads; a BF/CF group: no B module.
  auto leadGroup = group(1300, {moduleTest(1310, vti::etcPatAux, vti::epcNC)});
  separate(leadGroup);
  run(leadGroup);
  EXPECT_EQ(journal->runs.size(), 6u);  // ECG's three leads, open and grounded
  for (const auto& reading : journal->runs) EXPECT_EQ(reading.selectedIds, (Ids{2}));

  journal->runs.clear();
  auto classGroup = group(1200, {moduleTest(1210, vti::etcPatLeak, vti::epcNC)});
  separate(classGroup);
  run(classGroup);
  EXPECT_EQ(journal->parts(), (Strings{"RA//OPEN"}));
}

TEST_F(RunStrategies, ModulePassGivesEachChildTheModuleWhateverASiblingsFilterSays) {
  openGuide(device({module("ECG", 2, 1, cls::ClassBF)}));
  auto probesOnly = group(1010, {moduleTest(1111, vti::etcPatLeak, vti::epcNC)});
  probesOnly->config().Modules_get()->Filter_get()->Add("Name", "Probe");
  auto root =
      group(100, {probesOnly, group(1020, {moduleTest(1112, vti::etcPatLeak, vti::epcNC)})});
  separate(root);
  run(root);

  EXPECT_EQ(journal->tests(), (Ids{1112}));
}

TEST_F(RunStrategies, ModuleByModuleOptimizedRunsEachModulePhaseByPhase) {
  auto modules = device({module("Belt", 1, 1, cls::ClassBF), module("ECG", 1, 2, cls::ClassBF)});
  auto root = group(
      100, {moduleTest(1111, vti::etcPatLeak, vti::epcNCRM),
            moduleTest(1112, vti::etcPatLeak, vti::epcNC),
            test(401, vti::etcEarthLeak, vti::epcNCRM), test(402, vti::etcEarthLeak, vti::epcNC)});
  separate(root);
  optimize(root);
  auto cas = autorun(modules);
  scheduler.Run(root, *cas);

  EXPECT_EQ(journal->tests(), (Ids{402, 401, 1112, 1111, 1112, 1111}));
  // An enclosing run goes on combining results as before.
  EXPECT_FALSE(cas->UseSeperateModules_get());
}

TEST_F(RunStrategies, StopDuringATestEndsTheRunAfterThatTest) {
  auto first = test(401, vti::etcEarthLeak, vti::epcNC);
  first->onRun = [&](plugin::CAutoRunSetup&) { scheduler.StopTest(7); };
  auto root = group(1000, {first, test(402, vti::etcEarthLeak, vti::epcNC)});
  try {
    run(root);
    FAIL() << "the run went on";
  } catch (const platform::ComError& error) {
    EXPECT_EQ(error.number(), plugin::MPlugInErrors::errStopRun);
    EXPECT_EQ(error.source(), "CRunIec");
  }
  EXPECT_EQ(journal->tests(), (Ids{401}));
}

}  // namespace
}  // namespace guide_test
