#include <gtest/gtest.h>

#include "SimConnection.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"
#include "driver/SequenceInterpreter.h"
#include "platform/forms/FormErrors.h"
#include "support/ExpectError.h"

using namespace vti;
using namespace std::chrono_literals;
using Names = std::vector<std::string>;

namespace {

struct Prompts : ::testing::Test {
  std::unique_ptr<SimConnection> sim = std::make_unique<SimConnection>();

  void connect(const std::string& answers) {
    sim->answer(answers);
    sim->vti().InitRemote(SimConnection::kPort);
  }
  CTrxTestOptions& options() { return *sim->vti().TestOptions_get(); }
  const CTrxTestResult& result() { return *sim->vti().TestResult_get(); }
  void run(ETrxTestCode code, ETrxPowerConfiguration pc) {
    auto test = std::make_shared<CTrxSafetyTest>();
    test->Initialize(code, pc);
    test->AP_let("1");
    sim->vti().RunSafetyTest(test, nullptr);
  }
  const platform::forms::JournalEntry& shown(size_t index) {
    return sim->screen().journal().at(index);
  }
};

bool contains(const std::vector<std::string>& texts, const std::string& part) {
  for (const auto& text : texts) {
    if (text.find(part) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

TEST_F(Prompts, StopBeforePowerOnThenCountdownAfterIt) {
  connect("FStopOnPC: click cmdContinue\nFWaitOnPC: wait");
  options().StopBeforeNewPC_let(true);
  run(etcPatLeak, epcNC);
  EXPECT_EQ(result().State_get(), etsCompleted);
  ASSERT_EQ(sim->formsShown(), (Names{"FStopOnPC", "FWaitOnPC"}));
  EXPECT_EQ(shown(0).caption, "Stop On Power Configuration");
  EXPECT_TRUE(contains(shown(0).texts, "will now change from OFF to ON."));
  EXPECT_FALSE(contains(shown(0).texts, "cmdSkip"));
  EXPECT_FALSE(shown(0).topmost);
  // The countdown of the default two seconds ran out by itself.
  EXPECT_EQ(shown(1).caption, "Power On/Off Delay");
  EXPECT_TRUE(contains(shown(1).texts,
                       "Power is now ON. In order for the DUT to stabilize, the test will pause "
                       "for 2 seconds."));
  EXPECT_TRUE(contains(shown(1).lastTexts, "The test will automatically continue in 1 seconds."));
  EXPECT_EQ(shown(1).hiddenAt - shown(1).shownAt, 2000ms);
  // The outlet was switched on after the countdown was shown for it.
  EXPECT_EQ(sim->analyzer().model().outletText(), "normal");
}

TEST_F(Prompts, StopAfterPowerChangeTellsTheNewStateAndPlacesAboveTheTestGuide) {
  sim->host().registry().set("Software\\Tavik\\orvel\\Executive\\System", "Test guide settings",
                             "9");
  connect("FStopOnPC: click cmdContinue");
  options().StopAfterNewPC_let(true);
  options().StopBeforeNewPC_let(true);
  run(etcEquipCurr, epcNC);
  ASSERT_EQ(sim->formsShown(), (Names{"FStopOnPC", "FStopOnPC"}));
  EXPECT_TRUE(shown(1).topmost);
  EXPECT_TRUE(contains(shown(1).texts, "Power is now ON."));
  EXPECT_TRUE(contains(shown(1).texts, "equipment output is now set to ON."));

  // The next test does not change the outlet: no prompt at all.
  run(etcEquipCurr, epcNC);
  EXPECT_EQ(sim->formsShown().size(), 2u);
  EXPECT_EQ(result().State_get(), etsCompleted);
}

TEST_F(Prompts, NoCountdownWithoutDelay) {
  connect("");
  options().DelayTimePowerOn_let(0);
  run(etcPatLeak, epcNCRM);
  EXPECT_EQ(result().State_get(), etsCompleted);
  EXPECT_TRUE(sim->formsShown().empty());
}

TEST_F(Prompts, StopTestEndsTheTestSilentlyAndClosingLeavesTheAnalyzerSafe) {
  connect("FWaitOnPC: click cmdStop\nMessageBox: click cmdOK");
  auto error = expectComError([&] { run(etcEnclLeak, epcNC); });
  EXPECT_EQ(error.number(), errVTI_UserAbort);
  EXPECT_EQ(result().State_get(), etsAborted);
  EXPECT_EQ(sim->formsShown(), (Names{"FWaitOnPC"}));
  EXPECT_TRUE(sim->vti().FlagAbort());
  // The countdown came after the applied part was selected; nothing after it was sent.
  EXPECT_EQ(sim->commands().back(), "AP=1");
  EXPECT_EQ(sim->vti().State_get(), evsIdle);
  sim->vti().EndRemote(nullptr);
  EXPECT_TRUE(sim->analyzerLocalAndOff()) << sim->analyzer().endState();
}

TEST_F(Prompts, AbortFromAnEventDuringTheReadingEndsTheTest) {
  connect("FWaitOnPC: click cmdContinue");
  sim->loop().startTimer(1s, [this] { sim->vti().Abort(); });
  auto error = expectComError([&] { run(etcPatLeak, epcNC); });
  EXPECT_EQ(error.number(), errVTI_UserAbort);
  EXPECT_EQ(result().State_get(), etsAborted);
  sim->vti().EndRemote(nullptr);
  EXPECT_TRUE(sim->analyzerLocalAndOff()) << sim->analyzer().endState();
}

TEST_F(Prompts, PromptNobodyCanAnswerIsReportedAsAnUnknownError) {
  connect("MessageBox: click cmdOK");
  auto error = expectComError([&] { run(etcPatLeak, epcNC); });
  EXPECT_EQ(error.number(), errVTI_Error);
  ASSERT_EQ(sim->formsShown(), (Names{"FWaitOnPC", "MessageBox"}));
  const std::string number = std::to_string(platform::forms::errNoAnswer);
  EXPECT_TRUE(contains(shown(1).texts, "Unknown error number " + number + " occured.\r\n"));
  EXPECT_TRUE(contains(shown(1).texts, "imgIcon: [exclamation]"));
  EXPECT_EQ(error.description().find("Unknown error number " + number), 0u);
  sim->vti().EndRemote(nullptr);
  EXPECT_TRUE(sim->analyzerLocalAndOff());
}

TEST_F(Prompts, ClosingWithPromptBeforeCountsDownBeforeTheOutletGoesOff) {
  connect("FWaitOnPC: wait");
  options().DelayTimePowerOn_let(0);
  options().DelayTimePowerOff_let(3);
  options().PowerOFFScreen_let(eepo_before);
  run(etcPatLeak, epcNC);
  EXPECT_TRUE(sim->formsShown().empty());
  sim->vti().EndRemote(nullptr);
  ASSERT_EQ(sim->formsShown(), (Names{"FWaitOnPC"}));
  EXPECT_TRUE(contains(shown(0).texts, "DUT will switch off after 3 seconds."));
  EXPECT_TRUE(sim->analyzerLocalAndOff());
}

namespace {

// A protective-earth test (one streamed reading) whose reading finds no resistance.
struct NoResistancePrompt : ::testing::Test {
  std::unique_ptr<SimConnection> sim;

  void runProtectiveEarth(sim::Scenario scenario, const std::string& answers) {
    sim = std::make_unique<SimConnection>(std::move(scenario));
    sim->answer(answers);
    sim->vti().InitRemote(SimConnection::kPort);
    auto test = std::make_shared<CTrxSafetyTest>();
    test->Initialize(etcProtEarth, epcOff);
    sim->vti().RunSafetyTest(test, nullptr);
  }
  // The commands of the test after the standard and the mode: `readings` reads, each ending
  // the analyzer's stream so that no test current flows while the operator sees a prompt.
  static Names reads(size_t readings) {
    Names sent{"STD=601", "ERES=LOW"};
    for (size_t i = 0; i < readings; ++i) sent.insert(sent.end(), {"MREAD", "\x1b"});
    return sent;
  }
  Names testCommands() const { return sim->commandsSince(5); }
  const CTrxTestResult& result() { return *sim->vti().TestResult_get(); }
};

}  // namespace

TEST_F(NoResistancePrompt, LeftAloneActsAsSkipAfterThirtySeconds) {
  runProtectiveEarth(sim::Scenario::load("no-test-lead"), "FStopOnPC: wait");
  ASSERT_EQ(sim->formsShown(), (Names{"FStopOnPC"}));
  const auto& entry = sim->screen().journal()[0];
  EXPECT_EQ(entry.caption, "No Resistance Measurement");
  EXPECT_TRUE(contains(entry.texts, "cmdSkip: Skip"));
  EXPECT_TRUE(contains(entry.texts, "imgError"));
  EXPECT_FALSE(contains(entry.texts, "imgInformation"));
  EXPECT_TRUE(contains(entry.texts, "click Continue to repeat the test."));
  EXPECT_TRUE(contains(entry.texts, "The test will automatically continue in 30 seconds."));
  EXPECT_EQ(entry.hiddenAt - entry.shownAt, 30000ms);
  EXPECT_EQ(testCommands(), reads(1));
  EXPECT_EQ(result().ValueUnknown_get(), "OL");
}

TEST_F(NoResistancePrompt, SkipKeepsTheTestWithoutReading) {
  runProtectiveEarth(sim::Scenario::load("no-test-lead"), "FStopOnPC: after 2s click cmdSkip");
  EXPECT_EQ(sim->formsShown(), (Names{"FStopOnPC"}));
  EXPECT_EQ(testCommands(), reads(1));
  EXPECT_EQ(result().State_get(), etsCompleted);
  EXPECT_EQ(result().ValueUnknown_get(), "OL");
  EXPECT_FALSE(sim->analyzer().model().isStreaming());
}

TEST_F(NoResistancePrompt, ContinueRepeatsTheReadingOnceTheLeadIsConnected) {
  // The lead is connected while the first prompt is shown.
  runProtectiveEarth(SimConnection::withFaults("healthy", {{"MREAD #1", "!32"}}),
                     "FStopOnPC: after 5s click cmdContinue");
  EXPECT_EQ(sim->formsShown(), (Names{"FStopOnPC"}));
  EXPECT_EQ(testCommands(), reads(2));
  EXPECT_EQ(result().State_get(), etsCompleted);
  EXPECT_EQ(result().ValueUnknown_get(), "");
  // The lead is not zeroed: its own 0.021 Ohm adds to the 0.085 Ohm of the protective earth.
  EXPECT_NEAR(result().Value_get(), 0.106, 1e-6);
}

TEST_F(NoResistancePrompt, ContinueWhileTheLeadStaysOpenAsksAgainAFewTimesOnly) {
  runProtectiveEarth(sim::Scenario::load("no-test-lead"), "FStopOnPC: click cmdContinue");
  const size_t repeats = SequenceInterpreter::kNoResistanceRepeats;
  EXPECT_EQ(sim->formsShown(), Names(repeats, "FStopOnPC"));
  EXPECT_EQ(testCommands(), reads(repeats + 1));
  EXPECT_EQ(result().State_get(), etsCompleted);
  EXPECT_EQ(result().ValueUnknown_get(), "OL");
}

TEST_F(NoResistancePrompt, StopEndsTheTest) {
  EXPECT_EQ(expectComError([&] {
              runProtectiveEarth(sim::Scenario::load("no-test-lead"), "FStopOnPC: click cmdStop");
            }).number(),
            errVTI_UserAbort);
  EXPECT_EQ(result().State_get(), etsAborted);
  EXPECT_EQ(testCommands(), reads(1));
}
