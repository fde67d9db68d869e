#include "plugin/guide/FTestGuide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "TestGuideBench.h"
#include "driver/CTrxVti.h"
#include "driver/TrxTypes.h"
#include "host_api/IGuideToolbar.h"
#include "platform/forms/AnswersCheck.h"
#include "platform/forms/ConsoleRenderer.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "support/StandInPlugInReference.h"

namespace {

using guide_bench::FakeTest;
using guide_bench::GuideBench;
using plugin::FTestGuide;
namespace GuideResult = plugin::GuideResult;

// A guide opened the way the elements open it, as the process's one guide, for a fake test on
// the bench; closed again at the end.
struct Guided {
  GuideBench bench;
  std::shared_ptr<FakeTest> test = std::make_shared<FakeTest>();
  plugin::MGlobalTestGuide::GuideFactoryOverride factory{
      plugin::MGlobalTestGuide::guideFactorySlot()};
  std::shared_ptr<FTestGuide> guide;

  Guided() { test->config().Modules_get()->ModuleSeup_set(guide_bench::modules({"ECG"})); }
  FTestGuide& open() {
    if (!guide) {
      EXPECT_TRUE(plugin::MGlobalTestGuide::OpenTestGuide(test, &bench.run()));
      guide = std::dynamic_pointer_cast<FTestGuide>(plugin::MGlobalTestGuide::CurrentTestGuide());
      EXPECT_NE(guide, nullptr);
    }
    return *guide;
  }
  int32_t perform() { return open().Perform(test); }
  // Runs `what` at `at` seconds of loop time after now.
  void at(int seconds, std::function<void()> what) {
    platform::loop().startTimer(std::chrono::seconds(seconds), std::move(what));
  }
  // The operator clicks a toolbar button at `seconds` of loop time: also in the middle of a run,
  // where the scripted answers wait for the start button's click to return.
  void clickAt(int seconds, const std::string& button) {
    at(seconds, [this, button] { EXPECT_TRUE(guide->control("xtbGuide").chooseItem(button)); });
  }
};

bool anyTextContains(const std::vector<std::string>& texts, const std::string& part) {
  return std::any_of(texts.begin(), texts.end(),
                     [&](const std::string& text) { return text.find(part) != std::string::npos; });
}

std::vector<std::string> lastGuideTexts(GuideBench& bench) {
  for (const auto& entry : bench.screen().journal()) {
    if (entry.form == FTestGuide::FormName) return entry.lastTexts;
  }
  return {};
}

TEST(TestGuideButtons, EachButtonThatLeavesTheGuideGivesItsOwnResult) {
  const std::vector<std::pair<std::string, int32_t>> cases = {{"102", GuideResult::Previous},
                                                              {"103", GuideResult::Next},
                                                              {"203", GuideResult::RunChildren},
                                                              {"301", GuideResult::NotPerformed},
                                                              {"302", GuideResult::Skipped}};
  for (const auto& [button, expected] : cases) {
    Guided g;
    g.bench.answer("FTestGuide: choose \"" + button + "\" in xtbGuide");
    EXPECT_EQ(g.perform(), expected) << "button " << button;
    EXPECT_EQ(g.test->runs, 0) << "button " << button;
    EXPECT_FALSE(g.guide->Visible_get());
  }
}

TEST(TestGuideButtons, NotPerformedKeepsTheModulesTheElementWasShownWith) {
  Guided g;
  g.bench.answer("FTestGuide: choose \"301\" in xtbGuide");
  EXPECT_EQ(g.perform(), GuideResult::NotPerformed);
  ASSERT_TRUE(g.guide->ResultModuleSetupData_get());
  EXPECT_EQ(g.guide->ResultModuleSetupData_get()->Item(1)->Code_get(), "ECG");
}

TEST(TestGuideButtons, StartWithNextSetGoesOnWithoutRunningOrConnecting) {
  Guided g;
  g.open().Toolbar().ButtonValue_let(host_api::GuideButton::Next, true);
  g.bench.answer("FTestGuide: choose \"202\" in xtbGuide");
  EXPECT_EQ(g.guide->Perform(g.test), GuideResult::Next);
  EXPECT_EQ(g.test->runs, 0);
  EXPECT_TRUE(g.bench.analyzer().transcript().commands().empty());
}

TEST(TestGuideButtons, ButtonsTheGroupDoesNotOfferCannotLeaveTheGuide) {
  Guided g;
  g.test->config().Buttons_get()->EnableSkip_let(false);
  g.test->config().Buttons_get()->EnableNA_let(false);
  g.bench.answer("FTestGuide: choose \"102\" in xtbGuide");
  g.perform();
  EXPECT_FALSE(g.guide->Toolbar().ButtonClickable(host_api::GuideButton::Skip));
  EXPECT_FALSE(g.guide->Toolbar().ButtonClickable(host_api::GuideButton::NotPerformed));
  EXPECT_TRUE(g.guide->Toolbar().ButtonClickable(host_api::GuideButton::RunChildren));
}

TEST(TestGuideRun, ButtonsThatLeaveTheGuideAreIgnoredWhileATestRuns) {
  Guided g;
  std::vector<bool> taken;
  g.test->onRun = [&](plugin::CAutoRunSetup&) {
    auto& bar = g.guide->control("xtbGuide");
    for (const char* button : {"102", "103", "203", "301", "302", "900"}) {
      taken.push_back(bar.chooseItem(button));
    }
    EXPECT_TRUE(g.guide->Running_get());
    platform::loop().processFor(std::chrono::seconds(2));
    return 0;
  };
  g.bench.answer("FTestGuide: choose \"202\" in xtbGuide, after 30s choose \"102\" in xtbGuide");
  EXPECT_EQ(g.perform(), GuideResult::Previous);
  EXPECT_EQ(taken, std::vector<bool>(6, false));
  EXPECT_EQ(g.test->runs, 1);
  EXPECT_EQ(g.test->resets, 1);
}

TEST(TestGuideRun, StopEndsTheRunWithResultFiveAndAsksForFreshLeadValues) {
  Guided g;
  g.test->onRun = [](plugin::CAutoRunSetup&) {
    platform::loop().processFor(std::chrono::seconds(30));
    return 0;
  };
  int32_t resultAfterRun = -1;
  bool runningAfterRun = true;
  std::string statusAfterRun;
  g.at(75, [&] {
    resultAfterRun = g.guide->GuideResult_get();
    runningAfterRun = g.guide->Running_get();
    statusAfterRun = g.guide->Toolbar().StatusText_get();
  });
  g.clickAt(10, "201");
  g.bench.answer("FTestGuide: choose \"202\" in xtbGuide, after 60s choose \"103\" in xtbGuide");
  EXPECT_FALSE(g.open().ResetTheLeadValue_get());
  EXPECT_EQ(g.perform(), GuideResult::Next);
  EXPECT_EQ(resultAfterRun, GuideResult::Stopped);
  EXPECT_FALSE(runningAfterRun);
  EXPECT_EQ(statusAfterRun, "The test run was stopped.");
  EXPECT_TRUE(g.guide->ResetTheLeadValue_get());
  EXPECT_EQ(g.bench.run().Status_get(), host_api::RunStatus::Stopped);
  // The operator stopped it: no message box on top of that.
  EXPECT_TRUE(g.bench.messages().empty());
  EXPECT_TRUE(g.bench.analyzerLocalAndOff());
}

TEST(TestGuideAbort, AbortConfirmedWhileIdleLeavesWithResultTwoAndTheRunAborted) {
  Guided g;
  g.bench.answer(
      "FTestGuide: choose \"101\" in xtbGuide\n"
      "FAbortOption: click cmdYes");
  EXPECT_EQ(g.perform(), GuideResult::Aborted);
  EXPECT_EQ(g.bench.run().Status_get(), host_api::RunStatus::Aborted);
  EXPECT_EQ(g.bench.formsShown(), (std::vector<std::string>{"FTestGuide", "FAbortOption"}));
}

TEST(TestGuideAbort, AbortDeclinedLeavesEverythingAsItWas) {
  Guided g;
  g.bench.answer(
      "FTestGuide: choose \"101\" in xtbGuide, after 1s choose \"102\" in xtbGuide\n"
      "FAbortOption: click cmdNo");
  EXPECT_EQ(g.perform(), GuideResult::Previous);
  EXPECT_EQ(g.bench.run().Status_get(), 0);
}

TEST(TestGuideAbort, AbortDuringARunEndsItInOrderBeforeTheGuideLeaves) {
  Guided g;
  bool stillConnectedWhenAsked = false;
  g.test->onRun = [](plugin::CAutoRunSetup&) {
    platform::loop().processFor(std::chrono::seconds(30));
    return 0;
  };
  g.at(11, [&] { stillConnectedWhenAsked = plugin::MGlobalVTI::Driver() != nullptr; });
  g.clickAt(10, "101");
  g.bench.answer(
      "FTestGuide: choose \"202\" in xtbGuide\n"
      "FAbortOption: after 2s click cmdYes");
  EXPECT_EQ(g.perform(), GuideResult::Aborted);
  EXPECT_TRUE(stillConnectedWhenAsked);
  EXPECT_EQ(g.bench.run().Status_get(), host_api::RunStatus::Aborted);
  EXPECT_FALSE(g.guide->Running_get());
  EXPECT_EQ(plugin::MGlobalVTI::Driver(), nullptr);
  EXPECT_TRUE(g.bench.analyzerLocalAndOff());
  EXPECT_TRUE(g.bench.messages().empty());
  EXPECT_TRUE(g.guide->ResetTheLeadValue_get());
}

TEST(TestGuideRun, ARunAfterAStoppedOneThatEndsNormallyIsNotReportedAsStopped) {
  Guided g;
  g.test->onRun = [](plugin::CAutoRunSetup&) {
    platform::loop().processFor(std::chrono::seconds(30));
    return 0;
  };
  int32_t resultAfterSecondRun = -1;
  std::string statusAfterSecondRun = "unset";
  g.at(200, [&] {
    resultAfterSecondRun = g.guide->GuideResult_get();
    statusAfterSecondRun = g.guide->Toolbar().StatusText_get();
  });
  g.clickAt(10, "201");
  g.bench.answer(
      "FTestGuide: choose \"202\" in xtbGuide, after 60s choose \"202\" in xtbGuide, "
      "after 120s choose \"103\" in xtbGuide");
  EXPECT_EQ(g.perform(), GuideResult::Next);
  EXPECT_EQ(g.test->runs, 2);
  EXPECT_EQ(resultAfterSecondRun, GuideResult::Waiting);
  EXPECT_EQ(statusAfterSecondRun, "");
  EXPECT_EQ(g.bench.run().Status_get(), 0);
}

TEST(TestGuideRun, AnErrorThatCannotBeShownStillEndsTheRunInOrder) {
  Guided g;
  g.test->onReset = [] { throw platform::ComError(42, "FakeTest", "Out of paper"); };
  // Nobody answers message boxes: showing the error fails.
  g.bench.answer("FTestGuide: choose \"202\" in xtbGuide");
  EXPECT_THROW(g.perform(), platform::ComError);
  EXPECT_EQ(plugin::MGlobalVTI::Driver(), nullptr);
  EXPECT_TRUE(g.bench.analyzerLocalAndOff());
  EXPECT_FALSE(g.guide->Running_get());
  EXPECT_EQ(g.guide->Toolbar().State_get(), host_api::GuideToolbarState::Idle);
}

TEST(TestGuideRun, TheConnectionTheGuideOpenedIsClosedWithTheAnalyzerLocalAndOff) {
  Guided g;
  bool connectedDuringRun = false;
  g.test->onRun = [&](plugin::CAutoRunSetup&) {
    connectedDuringRun = plugin::MGlobalVTI::Driver() != nullptr;
    return 0;
  };
  g.bench.answer("FTestGuide: choose \"202\" in xtbGuide, after 10s choose \"103\" in xtbGuide");
  EXPECT_EQ(g.perform(), GuideResult::Next);
  EXPECT_TRUE(connectedDuringRun);
  EXPECT_EQ(plugin::MGlobalVTI::Driver(), nullptr);
  EXPECT_FALSE(g.bench.analyzer().transcript().commands().empty());
  EXPECT_TRUE(g.bench.analyzerLocalAndOff());
  EXPECT_EQ(g.bench.run().InstrumentData_get().size(), 1u);
  EXPECT_EQ(g.guide->Toolbar().State_get(), host_api::GuideToolbarState::Idle);
  EXPECT_EQ(g.guide->Toolbar().StatusText_get(), "");
}

TEST(TestGuideRun, AConnectionThatWasOpenBeforeTheRunStaysOpen) {
  Guided g;
  auto before = plugin::MGlobalVTI::OpenDriver(&g.bench.run(), g.test);
  ASSERT_NE(before, nullptr);
  g.bench.answer("FTestGuide: choose \"202\" in xtbGuide, after 10s choose \"103\" in xtbGuide");
  g.perform();
  EXPECT_EQ(g.test->runs, 1);
  EXPECT_EQ(plugin::MGlobalVTI::Driver(), before);
  plugin::MGlobalVTI::CloseDriver();
}

TEST(TestGuideRun, AnUnknownErrorIsShownOnceWithItsNumberAndDescription) {
  Guided g;
  const int32_t number = plugin::errorNumber(0x80041234);
  g.test->onReset = [&] { throw platform::ComError(number, "FakeTest", "Relay stuck"); };
  g.bench.answer(
      "FTestGuide: choose \"202\" in xtbGuide, after 10s choose \"103\" in xtbGuide\n"
      "MessageBox: click cmdOK");
  EXPECT_EQ(g.perform(), GuideResult::Next);
  ASSERT_EQ(g.bench.messages().size(), 1u);
  const std::string shown = g.bench.messages().front();
  EXPECT_NE(shown.find("Unknown error number " + std::to_string(number) + " occured."),
            std::string::npos)
      << shown;
  EXPECT_NE(shown.find("Description: Relay stuck"), std::string::npos) << shown;
  EXPECT_EQ(g.test->runs, 0);
  EXPECT_EQ(plugin::MGlobalVTI::Driver(), nullptr);
  EXPECT_TRUE(g.bench.analyzerLocalAndOff());
  EXPECT_FALSE(g.guide->Running_get());
}

TEST(TestGuideRun, AnErrorWithItsOwnTextIsShownAsItStands) {
  Guided g;
  const int32_t number = plugin::errorNumber(0x80047730);
  g.test->onReset = [&] { throw platform::ComError(number, "FakeTest", "No mains voltage"); };
  g.bench.answer(
      "FTestGuide: choose \"202\" in xtbGuide, after 10s choose \"103\" in xtbGuide\n"
      "MessageBox: click cmdOK");
  g.perform();
  EXPECT_EQ(g.bench.messages(), std::vector<std::string>{"No mains voltage"});
}

TEST(TestGuideRun, ADriverErrorEndsTheRunWithoutASecondMessage) {
  Guided g;
  g.test->onReset = [] { throw platform::ComError(vti::errVTI_Error, "CTrxVti", "shown"); };
  g.bench.answer("FTestGuide: choose \"202\" in xtbGuide, after 10s choose \"103\" in xtbGuide");
  g.perform();
  EXPECT_TRUE(g.bench.messages().empty());
  EXPECT_EQ(plugin::MGlobalVTI::Driver(), nullptr);
  EXPECT_EQ(g.guide->Toolbar().StatusText_get(), "The test run was stopped.");
}

TEST(TestGuideRun, ALineThatDiesHalfWayEndsTheRunWithTheDriversOneMessage) {
  Guided g;
  g.test->onRun = [&](plugin::CAutoRunSetup&) {
    g.bench.link().hangUp();
    plugin::MGlobalVTI::Driver()->InHighVoltageMode();
    return 0;
  };
  g.bench.answer(
      "FTestGuide: choose \"202\" in xtbGuide, after 60s choose \"103\" in xtbGuide\n"
      "MessageBox: click cmdOK");
  EXPECT_EQ(g.perform(), GuideResult::Next);
  EXPECT_EQ(g.bench.messages().size(), 1u);
  EXPECT_EQ(plugin::MGlobalVTI::Driver(), nullptr);
  EXPECT_FALSE(g.guide->Running_get());
  EXPECT_EQ(g.guide->Toolbar().State_get(), host_api::GuideToolbarState::Idle);
}

TEST(TestGuideConsole, WhileATestRunsTheConsoleShowsEveryKeyTheStatusAndTheLeads) {
  Guided g;
  std::string screen;
  g.test->onRun = [&](plugin::CAutoRunSetup&) {
    for (const auto& line : platform::forms::ConsoleRenderer(80).render(*g.guide)) {
      screen += line + "\n";
    }
    return 0;
  };
  g.bench.answer("FTestGuide: choose \"202\" in xtbGuide, after 10s choose \"103\" in xtbGuide");
  g.perform();
  // On 80 columns nothing of the toolbar is cut off: the last button is there too.
  for (const char* part : {"S[t]op", "[A]bort", "(Next)", "(Calibrate...)"}) {
    EXPECT_NE(screen.find(part), std::string::npos) << part << "\n" << screen;
  }
  EXPECT_NE(screen.find("Performing safety test. Press 'Stop' to cancel."), std::string::npos)
      << screen;
  EXPECT_NE(screen.find("[RA]"), std::string::npos) << screen;
}

TEST(TestGuideModules, ARecordHoldingItsOwnModulesIsShownWithThem) {
  Guided g;
  g.test->holdResultTakenWith(guide_bench::modules({"SpO2", "NIBP"}));
  g.bench.answer(
      "FTestGuide: choose \"Modules\" in tbsContent, after 1s choose \"102\" in xtbGuide");
  g.perform();
  ASSERT_TRUE(g.guide->ModuleSetupData_get());
  EXPECT_EQ(g.guide->ModuleSetupData_get()->Count_get(), 2);
  EXPECT_EQ(g.guide->ResultModuleSetupData_get()->Item(1)->Code_get(), "SpO2");
  const auto texts = lastGuideTexts(g.bench);
  EXPECT_TRUE(anyTextContains(texts, "NIBP"));
  EXPECT_FALSE(anyTextContains(texts, "ECG"));
  // The lead strip marks the two sockets the modules take.
  EXPECT_TRUE(anyTextContains(texts, "[RA]"));
  EXPECT_TRUE(anyTextContains(texts, "[LL]"));
  EXPECT_FALSE(anyTextContains(texts, "[LA]"));
}

TEST(TestGuideModules, WithoutOverrideTheGuidesCopyIsLockedButTheConfigurationIsNot) {
  Guided g;
  g.test->config().Modules_get()->OverridePatientLead_let(false);
  auto configured = g.test->config().Modules_get()->ModuleSeup_get();
  g.bench.answer("FTestGuide: choose \"102\" in xtbGuide");
  g.perform();
  EXPECT_TRUE(g.guide->ModuleSetupLocked_get());
  EXPECT_TRUE(g.guide->ModuleSetupData_get()->ReadOnly_get());
  EXPECT_FALSE(configured->ReadOnly_get());
  EXPECT_NE(g.guide->ModuleSetupData_get(), configured);
}

TEST(TestGuideModules, WithOverrideTheSetupStaysEditableOnceTheRunHasEnded) {
  Guided g;
  g.test->config().Modules_get()->OverridePatientLead_let(true);
  bool readOnlyWhileRunning = false;
  g.test->onRun = [&](plugin::CAutoRunSetup&) {
    readOnlyWhileRunning = g.guide->ModuleSetupData_get()->ReadOnly_get();
    return 0;
  };
  g.bench.answer("FTestGuide: choose \"202\" in xtbGuide, after 10s choose \"102\" in xtbGuide");
  g.perform();
  EXPECT_FALSE(g.guide->ModuleSetupLocked_get());
  EXPECT_TRUE(readOnlyWhileRunning);
  EXPECT_FALSE(g.guide->ModuleSetupData_get()->ReadOnly_get());
}

TEST(TestGuideModules, AnEmptyConfiguredSetupFallsBackToTheDevicesModules) {
  Guided g;
  auto entry = std::make_shared<StandInPlugInReference>();
  entry->dut = guide_bench::modules({"SpO2", "ECG", "Temp"});
  plugin::PlugInReferenceOverride useEntry(entry);
  g.test->config().Modules_get()->ModuleSeup_set(std::make_shared<plugin::CModuleSetup>());
  g.bench.answer("FTestGuide: choose \"102\" in xtbGuide");
  g.perform();
  ASSERT_TRUE(g.guide->ModuleSetupData_get());
  EXPECT_EQ(g.guide->ModuleSetupData_get()->Count_get(), 3);
  EXPECT_NE(g.guide->ModuleSetupData_get(), entry->dut);
}

}  // namespace

namespace {

TEST(TestGuideAnswers, AnAnswersFileMayDriveTheGuideByItsToolbarButMisspeltControlsAreRefused) {
  platform::forms::AnswersCheck check({FTestGuide::Answerable()});
  auto rules = [](const std::string& line) {
    std::istringstream in(line);
    return platform::forms::AnswersFile::parse(in, "answers");
  };
  EXPECT_FALSE(check.problem(rules("FTestGuide: choose \"202\" in xtbGuide").front()));
  EXPECT_FALSE(
      check.problem(rules("FTestGuide when lblStatus contains \"stopped\": choose \"103\" in "
                          "xtbGuide")
                        .front()));
  EXPECT_TRUE(check.problem(rules("FTestGuide: click cmdStart").front()));
}

}  // namespace
