#include <gtest/gtest.h>

#include "DialogsTestSupport.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Label.h"
#include "plugin/guide/FAbortOption.h"
#include "plugin/guide/FConnectLeads.h"
#include "plugin/guide/FMultiTest.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/IPlugInReference.h"

using namespace std::chrono_literals;
using platform::forms::Label;
using plugin::FConnectLeads;
using plugin::FMultiTest;

namespace {

struct OperatorDialogs : ::testing::Test, dialogs_test::DialogFixture {
  plugin::PlugInReferenceOverride noPlugIn{nullptr};
};

}  // namespace

TEST_F(OperatorDialogs, AbortIsAskedOnTopOfEverythingAndOnlyYesAborts) {
  platform::forms::Form guide("FTestGuide");
  answer("FAbortOption", {{500, "cmdYes"}});
  plugin::FAbortOption yes;
  EXPECT_TRUE(yes.QueryAbortTest(&guide));

  platform::forms::ScriptedScreen noScreen;
  platform::forms::ScreenOverride useNo{noScreen};
  noScreen.addRule(
      {"FAbortOption", "", "", {{0ms, platform::forms::ScriptAction::Click, "cmdNo", ""}}});
  plugin::FAbortOption no;
  EXPECT_FALSE(no.QueryAbortTest(&guide));

  const auto& asked = scripted.journal().front();
  EXPECT_TRUE(asked.topmost);
  EXPECT_TRUE(asked.modal);
  EXPECT_EQ(asked.owner, "FTestGuide");
  EXPECT_EQ(asked.caption, "TRX440 Safety Analyzer");
  ASSERT_EQ(noScreen.journal().size(), 1u);
  EXPECT_TRUE(noScreen.journal().front().topmost);
}

TEST_F(OperatorDialogs, AbortAskedAgainAfterYesNeedsANewYes) {
  plugin::FAbortOption form;
  answer("FAbortOption", {{0, "cmdYes"}});
  EXPECT_TRUE(form.QueryAbortTest(nullptr));
  // The answer of the first question is not left over for the second.
  platform::forms::ScriptedScreen escape;
  platform::forms::ScreenOverride useEscape{escape};
  escape.addRule(
      {"FAbortOption", "", "", {{0ms, platform::forms::ScriptAction::Click, "cmdNo", ""}}});
  EXPECT_FALSE(form.QueryAbortTest(nullptr));
}

namespace {

struct MultiTest : OperatorDialogs {
  std::shared_ptr<dialogs_test::NamedElement> element =
      std::make_shared<dialogs_test::NamedElement>("Protective Earth");
  FMultiTest form;

  MultiTest() { element->limits->addStandard(4, "::ST", "Ohm", "0.3"); }
  std::string last() const { return form.get<Label>(FMultiTest::kLastValue).Caption_get(); }
};

}  // namespace

TEST_F(MultiTest, KeepResultsIsPresetAndReadBackAsTheOperatorLeftIt) {
  answer("FMultiTest", {{1000, "chkKeepResults"}, {1000, "cmdRepeat"}});
  form.Initialize(element, dialogs_test::resistanceReading(*element, 0.1f), true);
  EXPECT_TRUE(form.KeepResults_get());
  EXPECT_EQ(form.Display(), FMultiTest::AnswerRepeat);
  EXPECT_FALSE(form.KeepResults_get());
  EXPECT_TRUE(shown("chkKeepResults: [x] Keep the previous results"));

  FMultiTest untouched;
  platform::forms::ScriptedScreen other;
  platform::forms::ScreenOverride useOther{other};
  other.addRule(
      {"FMultiTest", "", "", {{0ms, platform::forms::ScriptAction::Click, "cmdContinue", ""}}});
  untouched.Initialize(element, dialogs_test::resistanceReading(*element, 0.1f), false);
  EXPECT_EQ(untouched.Display(), FMultiTest::AnswerContinue);
  EXPECT_FALSE(untouched.KeepResults_get());
}

TEST_F(MultiTest, StopAnswersThree) {
  answer("FMultiTest", {{0, "cmdStop"}});
  form.Initialize(element, dialogs_test::resistanceReading(*element, 0.1f), false);
  EXPECT_EQ(form.Display(), FMultiTest::AnswerStop);
  EXPECT_EQ(scripted.journal().front().caption, "TRX440 Safety Analyzer");
  EXPECT_TRUE(shown("lblTitle: Multiple Test Points"));
  EXPECT_TRUE(shown("lblLast: Last:"));
}

TEST_F(MultiTest, TheLastReadingIsShownToTheMilliohmAgainstItsLimit) {
  form.Initialize(element, dialogs_test::resistanceReading(*element, 0.1f), false);
  EXPECT_EQ(last(), "0.100 Ohm  (< 0.3 Ohm)");
  // A reading whose record formats it otherwise is still shown to the milliohm.
  auto coarse = std::make_shared<plugin::CMeasurement>();
  coarse->Init("::ST", "PE Resistance", vti::etcMains, nullptr, "", false);
  coarse->Value_let(0.25f);
  coarse->Unit_let("Ohm");
  form.Initialize(element, coarse, false);
  EXPECT_EQ(last(), "0.250 Ohm  (< 0.3 Ohm)");
}

TEST_F(MultiTest, AnOverloadShowsOL) {
  form.Initialize(element, dialogs_test::resistanceReading(*element, "OL"), false);
  EXPECT_EQ(last(), "OL  (< 0.3 Ohm)");
  form.Initialize(element, dialogs_test::resistanceReading(*element, 0.0f, "O"), false);
  EXPECT_EQ(last(), "OL  (< 0.3 Ohm)");
}

namespace {

struct ConnectLeads : OperatorDialogs {
  std::shared_ptr<plugin::CModuleSetup> setup = std::make_shared<plugin::CModuleSetup>();
  FConnectLeads form;

  void addModule(const std::string& name, int32_t leads) {
    auto module = std::make_shared<plugin::CModule>();
    module->ModuleInfo_get()->Add("Name", name, true);
    module->Leads_let(leads);
    setup->Add(module);
  }
  std::string line(const char* label) const { return form.get<Label>(label).Caption_get(); }
};

}  // namespace

TEST_F(ConnectLeads, DrawsEachModuleOnItsSocketsAndLeavesOutANameTooWide) {
  addModule("ECG", 3);
  addModule("SpO2 probe", 1);
  form.Initialize(setup, 1);
  EXPECT_EQ(line(FConnectLeads::kSockets), " [RA]  [LL]  [LA]  [RL]   V1");
  EXPECT_EQ(line(FConnectLeads::kNames), "       ECG");
  EXPECT_EQ(line(FConnectLeads::kLines), " +--------------+");
  EXPECT_EQ(line(FConnectLeads::kNames).find("SpO2"), std::string::npos);
}

TEST_F(ConnectLeads, ContinueConfirmsAndStopTestCancels) {
  addModule("ECG", 5);
  answer("FConnectLeads", {{0, "cmdContinue"}});
  form.Initialize(setup, 1);
  form.Display();
  EXPECT_FALSE(form.Cancel_get());
  EXPECT_TRUE(shown("lblTitle: Connect Applied Parts Module"));
  EXPECT_TRUE(shown("lblPress: Press continue to perform the safety test on this module."));

  platform::forms::ScriptedScreen stopping;
  platform::forms::ScreenOverride useStopping{stopping};
  stopping.addRule(
      {"FConnectLeads", "", "", {{0ms, platform::forms::ScriptAction::Click, "cmdStop", ""}}});
  form.Display();
  EXPECT_TRUE(form.Cancel_get());
}
