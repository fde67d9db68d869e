// trxctl and trxsim as the programs they are, on a pseudo-terminal in real time.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>

#include "TranscriptFile.h"
#include "platform/PollLoop.h"
#include "support/ChildProcess.h"
#include "support/TestFiles.h"

namespace {

constexpr const char* kLocalAndOff =
    "{\"end\":true,\"control\":\"local\",\"outlet\":\"off\",\"test_mode\":\"\",\"hung_up\":false}";

class TrxctlProgram : public ::testing::Test {
 protected:
  explicit TrxctlProgram(const std::string& scenario = "healthy")
      : trxsim({TRXSIM_PATH, "--scenario", scenario, "--transcript", transcript.path().string()}) {}
  void SetUp() override {
    const std::string& out = trxsim.readUntil(
        [](const std::string& text) { return text.find('\n') != std::string::npos; });
    ASSERT_EQ(out.rfind("/dev/", 0), 0u) << out;
    path = out.substr(0, out.find('\n'));
  }
  // Stops trxsim and gives the state it left the analyzer in.
  std::string endState() {
    trxsim.signal(SIGTERM);
    EXPECT_EQ(trxsim.wait(), 0);
    std::string out = trxsim.output();
    out.pop_back();
    return out.substr(out.rfind('\n') + 1);
  }

  platform::PollLoop loop;
  platform::LoopOverride useRealTime{loop};
  TempDir dir;
  TranscriptFile transcript{dir / "transcript.jsonl"};
  ChildProcess trxsim;
  std::string path;
};

TEST_F(TrxctlProgram, QueriesAndRunsATestWithoutATerminal) {
  ChildProcess query({TRXCTL_PATH, "query", path});
  EXPECT_EQ(query.wait(), 0);
  EXPECT_EQ(query.output(),
            path + ": TRX440, serial number T440-000117, firmware 2.05 (status 2: identified)\n");

  ChildProcess run({TRXCTL_PATH, "run", path, "etcProtEarth", "--json"});
  EXPECT_EQ(run.wait(), 0);
  EXPECT_NE(run.output().find("\"test_name\":\"etcProtEarth\""), std::string::npos) << run.output();
  EXPECT_NE(run.output().find("\"state_name\":\"etsCompleted\""), std::string::npos);
  EXPECT_EQ(endState(), kLocalAndOff);
}

TEST_F(TrxctlProgram, AScanOfTheGivenPseudoTerminalFindsTheSimulator) {
  ChildProcess scan({TRXCTL_PATH, "scan", path});
  EXPECT_EQ(scan.wait(), 0);
  EXPECT_EQ(scan.output(),
            path + ": TRX440, serial number T440-000117, firmware 2.05 (status 2: identified)\n");
}

TEST_F(TrxctlProgram, CtrlCAbortsTheTestAndStillLeavesTheAnalyzerSafe) {
  ChildProcess run({TRXCTL_PATH, "run", path, "etcEarthLeak", "etcEquipCurr"});
  // Interrupt once the earth leakage test has powered the device.
  ASSERT_TRUE(transcript.waitForCommand("POL=N")) << transcript.text();
  run.signal(SIGINT);
  EXPECT_EQ(run.wait(), 1);
  EXPECT_NE(run.output().find("(etcEarthLeak epcNC): no reading; aborted (etsAborted) - stopped"),
            std::string::npos)
      << run.output();
  EXPECT_EQ(run.output().find("etcEquipCurr"), std::string::npos);
  EXPECT_EQ(endState(), kLocalAndOff);
}

TEST_F(TrxctlProgram, AReaderThatGoesAwayDoesNotKillTheSession) {
  // head takes the first result and leaves; the next result line then finds nobody reading.
  const std::string pipeline =
      std::string(TRXCTL_PATH) + " run " + path + " etcProtEarth etcEarthLeak | head -c 1";
  ChildProcess run({"/bin/sh", "-c", pipeline});
  EXPECT_EQ(run.wait(), 0);
  EXPECT_EQ(endState(), kLocalAndOff);
}

TEST_F(TrxctlProgram, ListsTheTestsWithoutAnAnalyzer) {
  ChildProcess list({TRXCTL_PATH, "list"});
  EXPECT_EQ(list.wait(), 0);
  EXPECT_NE(list.output().find("etcPatLeak (10) Patient leakage: current from the applied parts "
                               "to earth, in \u00b5A (uA)\n"),
            std::string::npos)
      << list.output();
}

class TrxctlProgramWithoutTestLead : public TrxctlProgram {
 protected:
  TrxctlProgramWithoutTestLead() : TrxctlProgram("no-test-lead") {}
};

TEST_F(TrxctlProgramWithoutTestLead, AScriptReadsNoValueWhereTheAnalyzerHadNone) {
  // The operator skips the no-resistance prompt rather than waiting out its countdown.
  const std::string answers = (dir / "answers.txt").string();
  std::ofstream(answers) << "FStopOnPC: click cmdSkip\nMessageBox: click cmdOK\n";
  ChildProcess run({TRXCTL_PATH, "run", path, "etcProtEarth", "--json", "--answers", answers});
  EXPECT_EQ(run.wait(), 0);
  EXPECT_NE(run.output().find("\"value\":null,\"over_range\":true,"), std::string::npos)
      << run.output();
  EXPECT_NE(run.output().find("\"value_unknown\":\"OL\""), std::string::npos);
  EXPECT_EQ(endState(), kLocalAndOff);
}

// A terminal that closes (SIGHUP) or a supervisor that ends the program (SIGTERM, as timeout(1)
// or a service manager sends) must not kill it before it has closed the connection.
class TrxctlEndedBySignal : public TrxctlProgram, public ::testing::WithParamInterface<int> {};

TEST_P(TrxctlEndedBySignal, StopsTheTestAndStillLeavesTheAnalyzerSafe) {
  ChildProcess run({TRXCTL_PATH, "run", path, "etcEarthLeak"});
  ASSERT_TRUE(transcript.waitForCommand("POL=N")) << transcript.text();
  run.signal(GetParam());
  EXPECT_EQ(run.wait(), 1);
  EXPECT_NE(run.output().find("(etsAborted) - stopped"), std::string::npos) << run.output();
  EXPECT_EQ(endState(), kLocalAndOff);
}

INSTANTIATE_TEST_SUITE_P(TerminationSignals, TrxctlEndedBySignal,
                         ::testing::Values(SIGTERM, SIGHUP));

}  // namespace
