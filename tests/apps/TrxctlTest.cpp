#include "TrxctlFixture.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

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
            "etcProtEarth epcOff: 0.106 Ohm (etsCompleted)\n"
            "etcPatLeak epcNCRM AP ALL: 8 uA (etsCompleted)\n"
            "etcEquipCurr epcNC: 0.5 A (etsCompleted)\n")
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
            "etcProtEarth epcOff: 0.106 Ohm (etsCompleted)\n"
            "etcEquipCurr epcNC: 0.5 A (etsCompleted)\n");
}

TEST(ResultPrinter, ShowsValuesByTheTestsDisplayPattern) {
  EXPECT_EQ(ResultPrinter::formatValue(2.25f, "# ##0.0"), "2.3");
  EXPECT_EQ(ResultPrinter::formatValue(1234.5f, "# ##0.0"), "1 234.5");
  EXPECT_EQ(ResultPrinter::formatValue(-0.01f, "#0.0"), "0.0");
  EXPECT_EQ(ResultPrinter::formatValue(0.0005f, "# ##0.000"), "0.001");
}

TEST_F(TrxctlTest, JsonGivesOneObjectATest) {
  attach("");
  ASSERT_EQ(trxctl({"run", "3", "etcPatLeak:epcNC", "2", "--meas", "ac", "--json"}), kExitSuccess)
      << err.str();
  std::string text = out.str();
  std::string first = text.substr(0, text.find('\n'));
  EXPECT_EQ(first.front(), '{');
  EXPECT_NE(first.find("\"test\":10,\"test_name\":\"etcPatLeak\",\"power\":3,"), std::string::npos)
      << first;
  EXPECT_NE(first.find("\"unit\":\"uA\",\"unit_suffix\":\"AC\",\"state\":1,"), std::string::npos)
      << first;
  EXPECT_NE(first.find("\"value_unknown\":\"\""), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
}

TEST_F(TrxctlTest, APromptWithNobodyToAnswerStopsTheTestAndStillLeavesTheAnalyzerSafe) {
  attach("");
  EXPECT_EQ(trxctl({"run", "3", "etcPatLeak", "etcEquipCurr", "--stop-before"}), kExitTestFailed);
  EXPECT_NE(err.str().find("no terminal and no answers file"), std::string::npos) << err.str();
  EXPECT_NE(out.str().find("etcPatLeak epcNC AP ALL: no reading (etsAborted) - stopped"),
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
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, AnInstrumentErrorEndsTheTestInErrorAfterTheMessage) {
  attach("[faults]\nPAT * = !40\n");
  EXPECT_EQ(trxctl({"run", "3", "etcPatLeak", "etcEquipCurr"}), kExitTestFailed);
  EXPECT_NE(out.str().find("not valid (Rx: !40)"), std::string::npos) << out.str();
  EXPECT_NE(err.str().find("not valid (Rx: !40)"), std::string::npos) << "the message box";
  EXPECT_EQ(out.str().find("etcEquipCurr"), std::string::npos);
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, TheEcgTestReportsItsWaveformAndNoReading) {
  attach("");
  EXPECT_EQ(trxctl({"run", "3", "etcECGTest", "--waveform", "9"}), kExitSuccess) << err.str();
  EXPECT_EQ(out.str(), "etcECGTest epcNC: waveform put out (etsCompleted)\n");
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
  EXPECT_NE(out.str().find("etcEarthLeak epcNC: no reading (etsAborted) - stopped"),
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
  EXPECT_EQ(out.str(), "etcProtEarth epcOff: 0.106 Ohm (etsCompleted)\n");
  EXPECT_EQ(timesSent(*analyzer, "MREAD"), 2u);
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

}  // namespace
