#include "TrxctlFixture.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "apps/common/EnumNames.h"
#include "apps/trxctl/CommandLine.h"
#include "apps/trxctl/PresenceCommand.h"
#include "apps/trxctl/ResultPrinter.h"
#include "support/GermanLocale.h"

using namespace trxctl;

namespace {

TEST_F(TrxctlTest, ASeriesWithoutPromptsRunsWithoutATerminalAndLeavesTheAnalyzerSafe) {
  attach("");
  EXPECT_EQ(trxctl({"run", "3", "etcProtEarth", "etcPatLeak:epcNCRM", "etcEquipCurr"}),
            kExitSuccess)
      << err.str();
  EXPECT_EQ(out.str(),
            "Protective earth resistance, power off (etcProtEarth epcOff): 0.106 \u03a9; "
            "completed (etsCompleted)\n"
            "Patient leakage, reversed mains (etcPatLeak epcNCRM) AP ALL: 8.1 \u00b5A; completed "
            "(etsCompleted)\n"
            "Equipment current, normal condition (etcEquipCurr epcNC): 0.45 A; completed "
            "(etsCompleted)\n")
      << out.str();
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, ReadingsKeepTheirDecimalPointUnderAGermanLocale) {
  ScopedGermanLocale german;
  SKIP_UNLESS_INSTALLED(german);
  attach("");
  std::ostringstream printed;  // a stream opened under the locale, as a front end's would be
  out.swap(printed);
  EXPECT_EQ(trxctl({"run", "3", "etcProtEarth", "etcEquipCurr"}), kExitSuccess) << err.str();
  EXPECT_EQ(out.str(),
            "Protective earth resistance, power off (etcProtEarth epcOff): 0.106 \u03a9; "
            "completed (etsCompleted)\n"
            "Equipment current, normal condition (etcEquipCurr epcNC): 0.45 A; completed "
            "(etsCompleted)\n");
}

TEST_F(TrxctlTest, JsonGivesOneObjectATest) {
  attach("");
  ASSERT_EQ(trxctl({"run", "3", "etcPatLeak:epcNC", "2", "--meas", "ac", "--json"}), kExitSuccess)
      << err.str();
  std::string text = out.str();
  std::string first = text.substr(0, text.find('\n'));
  EXPECT_EQ(first.front(), '{');
  EXPECT_NE(first.find("\"test\":10,\"test_name\":\"etcPatLeak\",\"test_words\":\"Patient "
                       "leakage\",\"power\":3,"),
            std::string::npos)
      << first;
  EXPECT_NE(first.find(
                "\"unit\":\"uA\",\"display_unit\":\"\u00b5A\",\"unit_suffix\":\"AC\",\"state\":1,"),
            std::string::npos)
      << first;
  EXPECT_NE(first.find("\"value_unknown\":\"\""), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
}

TEST_F(TrxctlTest, APromptWithNobodyToAnswerStopsTheTestAndStillLeavesTheAnalyzerSafe) {
  attach("");
  EXPECT_EQ(trxctl({"run", "3", "etcPatLeak", "etcEquipCurr", "--stop-before"}), kExitTestFailed);
  EXPECT_NE(err.str().find("no terminal and no answers file"), std::string::npos) << err.str();
  EXPECT_NE(out.str().find("(etcPatLeak epcNC) AP ALL: no reading; aborted (etsAborted) - stopped"),
            std::string::npos)
      << out.str();
  EXPECT_EQ(out.str().find("etcEquipCurr"), std::string::npos) << "the series ends at a stop";
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, PromptsAreAnsweredFromAnAnswersFile) {
  attach("");
  std::string answers = answersFile(
      "FStopOnPC: after 2s click cmdContinue\nFWaitOnPC: wait\nMessageBox: click cmdOK\n");
  EXPECT_EQ(trxctl({"run", "3", "etcPatLeak", "--stop-before", "--answers", answers.c_str()}),
            kExitSuccess)
      << err.str();
  EXPECT_NE(out.str().find("(etsCompleted)"), std::string::npos);
  EXPECT_NE(err.str().find("FStopOnPC"), std::string::npos) << "the log of the unattended run";
  EXPECT_EQ(err.str().find("lbl"), std::string::npos) << "no control names: " << err.str();
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, AnAnswersFileNamingWhatNoPromptHasIsRefusedBeforeConnecting) {
  attach("");
  struct Case {
    const char* text;
    std::string says;
  };
  for (const Case& bad :
       {Case{"FStopOnPC: click cmdContinue\n# halts are the host's\nFHaltOnFail: click cmdOK\n",
             ":3: no form named FHaltOnFail can show in this run; the forms are FStopOnPC, "
             "FWaitOnPC, MessageBox (or * for any form)"},
        Case{"FWaitOnPC: wait\nFWaitOnPC: after 1s click cmdSkip\n",
             ":2: the form FWaitOnPC has no control named cmdSkip to click; the controls to "
             "click are cmdContinue, cmdStop"},
        Case{"MessageBox when lblText contains \"Fault\": click cmdOK\n",
             ":1: the form MessageBox has no control named lblText to look at"}}) {
    std::string answers = answersFile(bad.text);
    EXPECT_EQ(trxctl({"run", "3", "etcPatLeak", "--stop-before", "--answers", answers.c_str()}),
              kExitUsage);
    EXPECT_NE(err.str().find("trxctl: " + answers + bad.says), std::string::npos) << err.str();
    EXPECT_EQ(err.str().find("0x"), std::string::npos) << "plain words: " << err.str();
  }
  EXPECT_TRUE(analyzer->transcript().commands().empty());
}

TEST_F(TrxctlTest, TheDemoAnswersFileIsAccepted) {
  const char* root = std::getenv("ORVEL_SOURCE_DIR");
  ASSERT_NE(root, nullptr) << "ORVEL_SOURCE_DIR is not set";
  const std::string demo = std::string(root) + "/apps/trxctl/demo-answers.txt";
  attach("");
  EXPECT_EQ(trxctl({"run", "3", "etcProtEarth", "etcPatLeak:epcNCRM", "--stop-before", "--answers",
                    demo.c_str()}),
            kExitSuccess)
      << err.str();
  EXPECT_NE(err.str().find("FStopOnPC"), std::string::npos) << "answered from the file";
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, AWrongAppliedPartIsAUsageErrorBeforeAnythingIsSent) {
  attach("");
  EXPECT_EQ(trxctl({"run", "3", "etcPatLeak", "--ap", "RA,LL//GROUND"}), kExitUsage);
  EXPECT_NE(err.str().find("\"GROUND\" is neither OPEN nor GND"), std::string::npos) << err.str();
  EXPECT_TRUE(analyzer->transcript().commands().empty());
  EXPECT_EQ(trxctl({"run", "3", "etcPatLeak", "--ap", "RA,LL//OPEN"}), kExitSuccess) << err.str();
  EXPECT_NE(out.str().find("AP RA,LL//OPEN"), std::string::npos) << out.str();
}

TEST_F(TrxctlTest, AnInstrumentErrorEndsTheTestInErrorAfterTheMessage) {
  attach("[faults]\nPAT * = !40\n");
  EXPECT_EQ(trxctl({"run", "3", "etcPatLeak", "etcEquipCurr"}), kExitTestFailed);
  EXPECT_NE(out.str().find("not valid (Rx: !40)"), std::string::npos) << out.str();
  EXPECT_NE(err.str().find("not valid (Rx: !40)"), std::string::npos) << "the message box";
  EXPECT_EQ(err.str().find("not valid (Rx: !40)"), err.str().rfind("not valid (Rx: !40)"))
      << "a message box is its text, once: " << err.str();
  EXPECT_EQ(err.str().find("lblMessage"), std::string::npos) << err.str();
  EXPECT_EQ(err.str().find("imgIcon"), std::string::npos) << err.str();
  EXPECT_EQ(out.str().find("etcEquipCurr"), std::string::npos);
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, TheEcgTestReportsItsWaveformAndNoReading) {
  attach("");
  EXPECT_EQ(trxctl({"run", "3", "etcECGTest", "--waveform", "9"}), kExitSuccess) << err.str();
  EXPECT_EQ(out.str(),
            "ECG simulation, normal condition (etcECGTest epcNC): waveform put out; completed "
            "(etsCompleted)\n");
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, AScanOfTheUsualPortsListsThoseThatOpen) {
  attach("");
  std::ostringstream listing;
  EXPECT_EQ(PresenceCommand::scan({"/dev/trxctl-no-such-port", "3"}, false, listing), kExitSuccess);
  EXPECT_EQ(listing.str(),
            "3: TRX440, serial number T440-000117, firmware 2.05 (status 2: identified)\n");
  analyzer->detach();
  std::ostringstream nothing;
  EXPECT_EQ(PresenceCommand::scan({"/dev/trxctl-no-such-port"}, false, nothing), kExitUsage);
  EXPECT_EQ(nothing.str(), "");
}

TEST_F(TrxctlTest, NoAnalyzerIsAConnectionError) {
  EXPECT_EQ(trxctl({"run", "3", "etcProtEarth"}), kExitUsage);
  EXPECT_NE(err.str().find("no connection to the analyzer on 3"), std::string::npos) << err.str();
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(trxctl({"run", "/dev/trxctl-no-such-device", "etcProtEarth"}), kExitUsage);
  // The driver's own message names the device the technician gave, not a made-up port number.
  EXPECT_NE(err.str().find("Can not open port /dev/trxctl-no-such-device"), std::string::npos)
      << err.str();
}

TEST_F(TrxctlTest, QueryAndCalibrate) {
  attach("");
  EXPECT_EQ(trxctl({"query", "COM3"}), kExitSuccess);
  EXPECT_EQ(out.str(),
            "COM3: TRX440, serial number T440-000117, firmware 2.05 (status 2: identified)\n");
  EXPECT_EQ(trxctl({"calibrate", "3"}), kExitSuccess) << err.str();
  EXPECT_EQ(out.str(), "test lead zeroed\n");
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
  analyzer->detach();
  EXPECT_EQ(trxctl({"query", "3"}), kExitUsage);
  EXPECT_EQ(out.str(), "3: no analyzer answered (status 0: nothing found)\n");
}

TEST_F(TrxctlTest, ALeadThatCannotBeZeroedIsNoSuccess) {
  // The analyzer answers ZERO with "!32" when the test lead is not on its nulling post.
  attach("[analyzer]\nlead = open\n");
  EXPECT_EQ(trxctl({"calibrate", "3"}), kExitTestFailed);
  EXPECT_EQ(out.str(),
            "test lead not zeroed: no reading (etsOverflow) - connect the test lead and retry\n");
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, TheQueryShowsControlCharactersOfTheIdentityEscaped) {
  // A device that answers with terminal control sequences must not take over the terminal.
  attach("[analyzer]\nserial = T440-\x1b[2J7\x07\nfirmware = 2.05\x1b]0;x\n");
  EXPECT_EQ(trxctl({"query", "3"}), kExitSuccess);
  EXPECT_EQ(out.str(),
            "3: TRX440, serial number T440-<ESC>[2J7<0x07>, firmware 2.05<ESC>]0;x (status 2: "
            "identified)\n");
}

}  // namespace

namespace {

TEST_F(TrxctlTest, CtrlCStopsAPromptThatWaitsForTheOperator) {
  attach("");
  // The scripted operator never answers the stop before the power change; Ctrl-C comes instead.
  std::string answers = answersFile("FStopOnPC: wait\nFWaitOnPC: wait\nMessageBox: click cmdOK\n");
  ev.startTimer(std::chrono::seconds(30), [] { ::raise(SIGINT); });
  EXPECT_EQ(trxctl({"run", "3", "etcEarthLeak", "etcEquipCurr", "--stop-before", "--answers",
                    answers.c_str()}),
            kExitTestFailed);
  EXPECT_NE(out.str().find("(etcEarthLeak epcNC): no reading; aborted (etsAborted) - stopped"),
            std::string::npos)
      << out.str();
  EXPECT_NE(err.str().find("stopped (Ctrl-C)"), std::string::npos);
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

}  // namespace

namespace {

size_t timesSent(const sim::SimulatedAnalyzer& analyzer, const std::string& command) {
  const auto commands = analyzer.transcript().commands();
  return static_cast<size_t>(std::count(commands.begin(), commands.end(), command));
}

TEST_F(TrxctlTest, NoResistancePromptWithNobodyToAnswerRunsOutOnceInsteadOfRepeating) {
  attach("[analyzer]\nlead = open\n[device]\nERES = none\n");
  trxctl({"run", "3", "etcProtEarth"});
  EXPECT_EQ(timesSent(*analyzer, "MREAD"), 1u);
  const std::string waited = "No Resistance Measurement: waiting for the countdown";
  EXPECT_NE(err.str().find(waited), std::string::npos) << err.str();
  EXPECT_EQ(err.str().find(waited), err.str().rfind(waited)) << "shown once";
  EXPECT_EQ(out.str().find("0.106"), std::string::npos) << out.str();
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, ContinueOnTheNoResistancePromptReadsAgainOnceTheLeadIsConnected) {
  attach("[faults]\nMREAD #1 = !32\n");
  std::string answers = answersFile(
      "FStopOnPC when lblTitle contains \"unable to make a resistance\": click cmdContinue\n");
  EXPECT_EQ(trxctl({"run", "3", "etcProtEarth", "--answers", answers.c_str()}), kExitSuccess)
      << err.str();
  EXPECT_EQ(out.str(),
            "Protective earth resistance, power off (etcProtEarth epcOff): 0.106 \u03a9; "
            "completed (etsCompleted)\n");
  EXPECT_EQ(timesSent(*analyzer, "MREAD"), 2u);
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, NoTestLeadIsOverRangeAndNeverAPerfectEarth) {
  attachShipped("no-test-lead");
  EXPECT_EQ(trxctl({"run", "3", "etcProtEarth"}), kExitSuccess) << err.str();
  EXPECT_EQ(out.str(),
            "Protective earth resistance, power off (etcProtEarth epcOff): OL: over range, no "
            "reading; completed (etsCompleted)\n");
  EXPECT_EQ(trxctl({"run", "3", "etcProtEarth", "--json"}), kExitSuccess) << err.str();
  EXPECT_NE(out.str().find("\"value\":null,\"over_range\":true,"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("\"value_unknown\":\"OL\""), std::string::npos) << out.str();
  EXPECT_EQ(out.str().find("\"value\":0"), std::string::npos) << out.str();
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, AnOverflowIsOverRangeAndNeverZero) {
  attach("[device]\nEARTHL = overflow\n");
  // The analyzer answered and the test ran its course: no failure of the run itself.
  EXPECT_EQ(trxctl({"run", "3", "etcEarthLeak"}), kExitSuccess) << err.str();
  EXPECT_NE(out.str().find("(etcEarthLeak epcNC): overflow: over range, no reading;"),
            std::string::npos)
      << out.str() << err.str();
  trxctl({"run", "3", "etcEarthLeak", "--json"});
  EXPECT_NE(out.str().find("\"value\":null,\"over_range\":true,"), std::string::npos) << out.str();
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, ATestWithNoReadingGivesNoValueToAScript) {
  attach("[faults]\nPAT * = !40\n");
  EXPECT_EQ(trxctl({"run", "3", "etcPatLeak", "--json"}), kExitTestFailed);
  EXPECT_NE(out.str().find("\"value\":null,\"over_range\":false,"), std::string::npos) << out.str();
}

// What the analyzer sent, and what a person must read for it.
struct SentReading {
  const char* sent;
  const char* shown;
  const char* json;
};

class TrxctlReadingResolution : public TrxctlTest,
                                public ::testing::WithParamInterface<SentReading> {};

TEST_P(TrxctlReadingResolution, ShowsEveryDigitTheAnalyzerSent) {
  attach(std::string("[device]\nEARTHL = ") + GetParam().sent + "\n");
  EXPECT_EQ(trxctl({"run", "3", "etcEarthLeak"}), kExitSuccess) << err.str();
  EXPECT_EQ(out.str(), std::string("Earth leakage, normal condition (etcEarthLeak epcNC): ") +
                           GetParam().shown + " \u00b5A; completed (etsCompleted)\n");
  EXPECT_EQ(trxctl({"run", "3", "etcEarthLeak", "--json"}), kExitSuccess) << err.str();
  EXPECT_NE(out.str().find(std::string("\"value\":") + GetParam().json +
                           ",\"over_range\":false,\"unit\":\"uA\",\"display_unit\":\"\u00b5A\""),
            std::string::npos)
      << out.str();
}

INSTANTIATE_TEST_SUITE_P(Leakage, TrxctlReadingResolution,
                         ::testing::Values(SentReading{"3.5 uA", "3.5", "3.5"},
                                           SentReading{"10.4 uA", "10.4", "10.4"},
                                           SentReading{"0.4 uA", "0.4", "0.4"},
                                           SentReading{"1.240 mA", "1 240", "1240"}));

TEST_F(TrxctlTest, ListShowsEveryTestInWordsWithItsUnit) {
  EXPECT_EQ(trxctl({"list"}), kExitSuccess) << err.str();
  EXPECT_NE(out.str().find("etcProtEarth (2) Protective earth resistance: resistance of the "
                           "protective earth, from the mains plug's earth pin to the test lead, "
                           "in \u03a9 (Ohm)\n    power off (epcOff, 1)\n"),
            std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find("etcPatLeak (10) Patient leakage: current from the applied parts to "
                           "earth, in \u00b5A (uA)\n"),
            std::string::npos);
  EXPECT_NE(out.str().find("    reversed mains (epcNCRM, 6)\n"), std::string::npos);
  EXPECT_NE(out.str().find("etcEquipCurr (16) Equipment current: the current the device draws "
                           "from the mains, in A\n"),
            std::string::npos);
}

// The pairs `list` offers are exactly the pairs `run` accepts, for every test and configuration.
TEST_F(TrxctlTest, ListOffersExactlyThePairsARunAccepts) {
  ASSERT_EQ(trxctl({"list"}), kExitSuccess);
  std::set<std::string> listed;
  std::istringstream lines(out.str());
  std::string line, test;
  while (std::getline(lines, line)) {
    if (line.rfind("    ", 0) != 0) {
      test = line.substr(0, line.find(' '));
      continue;
    }
    size_t open = line.rfind('(');
    listed.insert(test + ":" + line.substr(open + 1, line.find(',', open) - open - 1));
  }
  int accepted = 0;
  for (int code = vti::etcMains; code <= vti::etcECGTest; ++code) {
    for (int pc = vti::epcOff; pc <= vti::epcAccessOERM; ++pc) {
      std::string pair =
          apps::EnumNames::testCodeName(static_cast<vti::ETrxTestCode>(code)) + ":" +
          apps::EnumNames::powerConfigName(static_cast<vti::ETrxPowerConfiguration>(pc));
      bool runs = true;
      try {
        CommandLine::planTest(pair, "", -2, "");
      } catch (const std::invalid_argument&) {
        runs = false;
      }
      EXPECT_EQ(listed.count(pair), runs ? 1u : 0u) << pair;
      accepted += runs;
    }
  }
  EXPECT_EQ(listed.size(), static_cast<size_t>(accepted));
  EXPECT_GT(accepted, 22);
}

}  // namespace
