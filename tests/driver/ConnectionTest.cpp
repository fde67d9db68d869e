#include <gtest/gtest.h>

#include "SimConnection.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"
#include "support/ExpectError.h"

using namespace vti;
using Commands = std::vector<std::string>;

namespace {

std::shared_ptr<CTrxSafetyTest> makeTest(ETrxTestCode code, ETrxPowerConfiguration pc,
                                         const std::string& ap = "1") {
  auto test = std::make_shared<CTrxSafetyTest>();
  test->Initialize(code, pc);
  test->AP_let(ap);
  return test;
}

}  // namespace

TEST(Connection, ConnectsRunsATestAndLeavesTheAnalyzerLocal) {
  SimConnection sim;
  sim.answer("FWaitOnPC: click cmdContinue");
  sim.vti().InitRemote(SimConnection::kPort);
  EXPECT_EQ(sim.vti().State_get(), evsIdle);
  EXPECT_EQ(sim.commands(), (Commands{"\x1b", "STAT", "RPTIME=0", "IDENT", "SN"}));
  ASSERT_TRUE(sim.vti().MtiData_get());
  EXPECT_EQ(sim.vti().MtiData_get()->Model(), "TRX440");
  EXPECT_EQ(sim.vti().MtiData_get()->Firmware(), "2.05");
  EXPECT_EQ(sim.vti().MtiData_get()->SerialNumber(), "T440-000117");

  sim.vti().RunSafetyTest(makeTest(etcProtEarth, epcOff), nullptr);
  EXPECT_EQ(sim.vti().TestResult_get()->State_get(), etsCompleted);
  // The test lead (0.021 Ohm) is still in the reading until it is zeroed.
  EXPECT_NEAR(sim.vti().TestResult_get()->Value_get(), 0.106, 0.0005);
  EXPECT_TRUE(sim.vti().Calibrate());
  sim.vti().RunSafetyTest(makeTest(etcProtEarth, epcOff), nullptr);
  EXPECT_NEAR(sim.vti().TestResult_get()->Value_get(), 0.085, 0.0005);

  const size_t closingFrom = sim.commands().size();
  sim.vti().EndRemote(nullptr);
  EXPECT_EQ(sim.vti().State_get(), evsClosed);
  EXPECT_EQ(sim.commandsSince(closingFrom), (Commands{"STAT1", "EXIT", "STAT3", "LOCAL"}));
  EXPECT_TRUE(sim.analyzerLocalAndOff()) << sim.analyzer().endState();

  // A second EndRemote finds the connection closed: nothing is sent.
  sim.vti().EndRemote(nullptr);
  EXPECT_EQ(sim.commandsSince(closingFrom).size(), 4u);
}

TEST(Connection, WithoutAnAssignedPortStaysClosedWithoutError) {
  SimConnection sim;
  sim.vti().InitRemote(0);
  EXPECT_EQ(sim.vti().State_get(), evsClosed);
  EXPECT_TRUE(sim.commands().empty());
  EXPECT_FALSE(sim.vti().MtiData_get());
  EXPECT_EQ(expectComError([&] { sim.vti().Calibrate(); }).number(), errVTI_NotOpen);
  EXPECT_EQ(expectComError([&] { sim.vti().InHighVoltageMode(); }).number(), errVTI_NotOpen);
  EXPECT_TRUE(sim.formsShown().empty());
}

TEST(Connection, PortZeroTakesThePortTheHostAssignedToTheModel) {
  SimConnection sim;
  sim.host().registry().set("Software\\Tavik\\orvel\\Instruments\\TRX440", "Port", "1");
  sim.vti().InitRemote(0);
  EXPECT_EQ(sim.vti().State_get(), evsIdle);
  EXPECT_EQ(expectComError([&] { sim.vti().InitRemote(0); }).number(), errVTI_AlreadyOpen);
  EXPECT_EQ(sim.vti().State_get(), evsIdle);
}

TEST(Connection, AnalyzerNotReadyForRemoteControlIsTakenOver) {
  SimConnection sim("not-ready");
  sim.vti().InitRemote(SimConnection::kPort);
  EXPECT_EQ(sim.commands(), (Commands{"\x1b", "STAT", "REMOTE", "RPTIME=0", "IDENT", "SN"}));
  EXPECT_TRUE(sim.analyzer().model().isRemote());
}

TEST(Connection, RefusedRemoteControlClosesAgainAfterLocal) {
  SimConnection sim(SimConnection::withFaults("not-ready", {{"REMOTE", "!22"}}));
  sim.answer("MessageBox: click cmdOK");
  EXPECT_EQ(expectComError([&] { sim.vti().InitRemote(SimConnection::kPort); }).number(),
            errVTI_Error);
  EXPECT_EQ(sim.vti().State_get(), evsClosed);
  EXPECT_TRUE(sim.saw("MessageBox", "The reply from the TRX440 is not valid (Rx: !22)."));
  EXPECT_EQ(sim.commands().back(), "LOCAL");
}

TEST(Connection, UnreadableIdentityFailsTheConnection) {
  SimConnection sim(SimConnection::withFaults("healthy", {{"IDENT", "reply TRX440"}}));
  sim.answer("MessageBox: click cmdOK");
  EXPECT_EQ(expectComError([&] { sim.vti().InitRemote(SimConnection::kPort); }).number(),
            errVTI_Error);
  EXPECT_EQ(sim.vti().State_get(), evsClosed);
  EXPECT_TRUE(sim.saw("MessageBox", "(Rx: TRX440)"));
  // LOCAL is not answered; it goes out as often as any command is tried.
  EXPECT_EQ(sim.commandsSince(4), (Commands{"LOCAL", "LOCAL", "LOCAL"}));
  sim.loop().processFor(std::chrono::seconds(1));
  EXPECT_TRUE(sim.analyzerLocalAndOff());
}

TEST(Connection, HighVoltageModeIsReportedAsBusy) {
  SimConnection sim(SimConnection::withFaults("healthy", {{"STAT2 #1", "high-voltage"}}));
  sim.answer("MessageBox: click cmdOK");
  sim.vti().InitRemote(SimConnection::kPort);
  EXPECT_FALSE(sim.vti().InHighVoltageMode());
  EXPECT_EQ(expectComError([&] { sim.vti().InHighVoltageMode(); }).number(), errVTI_Error);
  EXPECT_TRUE(sim.saw("MessageBox", "The test instrument is busy"));
  EXPECT_EQ(sim.vti().State_get(), evsIdle);
}

TEST(Connection, SecondOperationFromAPromptFindsTheConnectionBusy) {
  SimConnection sim;
  sim.answer("FWaitOnPC: after 100ms click cmdContinue");
  sim.vti().InitRemote(SimConnection::kPort);
  int32_t nested = 0;
  sim.loop().startTimer(std::chrono::seconds(1), [&] {
    try {
      sim.vti().RunSafetyTest(makeTest(etcEnclLeak, epcNC), nullptr);
    } catch (const platform::ComError& e) {
      nested = e.number();
    }
  });
  sim.vti().RunSafetyTest(makeTest(etcEnclLeak, epcNC), nullptr);
  EXPECT_EQ(nested, errVTI_Busy);
  EXPECT_EQ(sim.vti().TestResult_get()->State_get(), etsCompleted);
}

TEST(Connection, InstrumentErrorDuringATestIsShownOnceAndClosingResetsTheInterrupter) {
  SimConnection sim(SimConnection::withFaults("healthy", {{"MREAD", "ground-fault"}}));
  sim.answer("FWaitOnPC: wait\nMessageBox: click cmdOK");
  sim.vti().InitRemote(SimConnection::kPort);
  EXPECT_EQ(expectComError([&] {
              sim.vti().RunSafetyTest(makeTest(etcEnclLeak, epcNC), nullptr);
            }).number(),
            errVTI_Error);
  EXPECT_TRUE(
      sim.saw("MessageBox", "The TRX440 reported an error: Ground Fault Interrupt tripped."));
  EXPECT_TRUE(sim.vti().FlagAbort());
  const size_t from = sim.commands().size();
  sim.vti().EndRemote(nullptr);
  EXPECT_EQ(sim.commandsSince(from), (Commands{"STAT1", "EXIT", "STAT3", "GFIR", "LOCAL"}));
  EXPECT_EQ(sim.formsShown(), (std::vector<std::string>{"FWaitOnPC", "MessageBox", "MessageBox"}));
  EXPECT_TRUE(sim.analyzerLocalAndOff());
}

TEST(Connection, ClosingFromAnEventWhileConnectingStopsTheConnectingSafely) {
  SimConnection sim("not-ready");
  sim.loop().startTimer(std::chrono::milliseconds(300), [&] { sim.vti().EndRemote(nullptr); });
  EXPECT_EQ(expectComError([&] { sim.vti().InitRemote(SimConnection::kPort); }).number(),
            errVTI_UserAbort);
  EXPECT_EQ(sim.vti().State_get(), evsClosed);
  EXPECT_EQ(sim.commands().back(), "LOCAL");
  sim.loop().processFor(std::chrono::seconds(1));
  EXPECT_TRUE(sim.analyzerLocalAndOff());
}

TEST(Connection, ClosingFromAnEventDuringATestEndsTheTestAndThenCloses) {
  SimConnection sim;
  sim.answer("FWaitOnPC: click cmdContinue");
  sim.vti().InitRemote(SimConnection::kPort);
  sim.loop().startTimer(std::chrono::seconds(2), [&] { sim.vti().EndRemote(nullptr); });
  EXPECT_EQ(expectComError([&] {
              sim.vti().RunSafetyTest(makeTest(etcPatLeak, epcNCRM), nullptr);
            }).number(),
            errVTI_UserAbort);
  EXPECT_EQ(sim.vti().State_get(), evsClosed);
  EXPECT_EQ(sim.vti().TestResult_get()->State_get(), etsAborted);
  EXPECT_EQ(sim.commands().back(), "LOCAL");
  EXPECT_TRUE(sim.analyzerLocalAndOff()) << sim.analyzer().endState();
}

TEST(Connection, PortThatCannotBeOpenedIsReportedAndLeavesTheConnectionClosed) {
  SimConnection sim;
  sim.answer("MessageBox: click cmdOK");
  EXPECT_EQ(expectComError([&] { sim.vti().InitRemote(7); }).number(), errVTI_Error);
  EXPECT_EQ(sim.vti().State_get(), evsClosed);
  EXPECT_TRUE(sim.saw("MessageBox", "Can not open port 7"));
  EXPECT_TRUE(sim.commands().empty());
}

TEST(Connection, StoppedEcgSimulationIsEndedWhenClosing) {
  SimConnection sim;
  sim.answer("FWaitOnPC: click cmdContinue");
  sim.vti().InitRemote(SimConnection::kPort);
  sim.vti().TestOptions_get()->ECGDuration_let(10);
  sim.loop().startTimer(std::chrono::seconds(5), [&] { sim.vti().Abort(); });
  EXPECT_EQ(expectComError([&] {
              sim.vti().RunSafetyTest(makeTest(etcECGTest, epcNC), nullptr);
            }).number(),
            errVTI_UserAbort);
  const size_t from = sim.commands().size();
  EXPECT_EQ(sim.commands().back(), "CPL30");
  sim.vti().EndRemote(nullptr);
  EXPECT_EQ(sim.commandsSince(from), (Commands{"\x1b", "STAT1", "EXIT", "STAT3", "LOCAL"}));
  EXPECT_TRUE(sim.analyzerLocalAndOff());
}
