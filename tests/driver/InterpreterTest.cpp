#include <gtest/gtest.h>

#include "SimConnection.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"
#include "support/ExpectError.h"

using namespace vti;
using Commands = std::vector<std::string>;

namespace {

struct Interpreter : ::testing::Test {
  SimConnection sim;
  size_t mark = 0;

  void SetUp() override {
    sim.answer("FWaitOnPC: click cmdContinue\nMessageBox: click cmdOK");
    sim.vti().InitRemote(SimConnection::kPort);
  }
  CTrxTestOptions& options() { return *sim.vti().TestOptions_get(); }
  const CTrxTestResult& result() { return *sim.vti().TestResult_get(); }
  void run(ETrxTestCode code, ETrxPowerConfiguration pc, const std::string& ap = "1",
           ETrxNomenclature leadStd = enomIEC) {
    auto test = std::make_shared<CTrxSafetyTest>();
    test->Initialize(code, pc);
    test->AP_let(ap);
    test->LEADSTD_let(leadStd);
    mark = sim.commands().size();
    sim.vti().RunSafetyTest(test, nullptr);
  }
  Commands sent() const { return sim.commandsSince(mark); }
};

}  // namespace

TEST_F(Interpreter, PatientLeakageReversedWithOpenEarthOnOneLeadMeasuringAc) {
  options().MeasType_let(emt_AC);
  run(etcPatLeak, epcOERM, "1");
  EXPECT_EQ(sent(), (Commands{"STD=601", "PAT", "EARTH=O", "STAT2", "POL=OFF", "POL=R", "NEUT=C",
                              "MODE=AC", "AP=1", "MREAD", "\x1b"}));
  EXPECT_EQ(result().State_get(), etsCompleted);
  EXPECT_EQ(result().UnitSuffix_get(), "AC");
  EXPECT_EQ(sim.analyzer().model().outletText(), "reversed, open earth");
}

TEST_F(Interpreter, InsulationAt250VoltsWaitsItsDurationBeforeReading) {
  options().TestVoltage_let(etv_250);
  options().IRDuration_let(2);
  run(etcIRMains, epcOff);
  EXPECT_EQ(sent(), (Commands{"STD=601", "MINS", "INS=LOW", "MREAD", "\x1b"}));
  EXPECT_GE(sim.receivedAt("MREAD") - sim.receivedAt("INS=LOW"), 2000);
  EXPECT_FLOAT_EQ(result().Value_get(), 185);
}

TEST_F(Interpreter, MainsVoltageBetweenL2AndGround) {
  run(etcMains, epcMainsL2Gnd);
  EXPECT_EQ(sent(), (Commands{"STD=601", "MAINS=L2-GND", "MREAD", "\x1b"}));
  EXPECT_FLOAT_EQ(result().Value_get(), 0.4f);
}

TEST_F(Interpreter, MainsOnAppliedPartsFollowsStandardAndLeadNomenclature) {
  options().TestStandard_let(etsAAMI);
  run(etcMAP, epcNC, "1", enomAAMI);
  EXPECT_EQ(sent(), (Commands{"STD=AAMI", "LEAD_ISO", "MAP=1MA", "MAP=LOW", "STAT2", "POL=OFF",
                              "POL=N", "MAP=NORM", "AP=1", "MREAD", "\x1b"}));
  EXPECT_EQ(result().State_get(), etsCompleted);

  options().TestStandard_let(ets353);
  run(etcMAP, epcNC, "1", enomIEC);
  // The outlet is still on with normal polarity from the first test: no switching.
  EXPECT_EQ(sent(), (Commands{"STD=353", "MAP", "MAP=7.5MA", "MAP=LOW", "STAT2", "MAP=NORM", "AP=1",
                              "MREAD", "\x1b"}));
}

TEST_F(Interpreter, PolarityAlreadyNormalIsNotSwitchedAgain) {
  run(etcEarthLeak, epcNC);
  EXPECT_EQ(sent(), (Commands{"STD=601", "EARTHL", "STAT2", "POL=OFF", "POL=N", "NEUT=C",
                              "MODE=ACDC", "AP=1", "MREAD", "\x1b"}));
  run(etcEarthLeak, epcNC);
  EXPECT_EQ(sent(), (Commands{"STD=601", "EARTHL", "STAT2", "NEUT=C", "MODE=ACDC", "AP=1", "MREAD",
                              "\x1b"}));
  EXPECT_FLOAT_EQ(result().Value_get(), 180);
}

TEST_F(Interpreter, EcgSimulationRunsItsDurationAndEndsTheWaveform) {
  options().WaveformType_let(ewt_Sine10);
  options().ECGDuration_let(5);
  run(etcECGTest, epcNC);
  EXPECT_EQ(sent(), (Commands{"STD=601", "ECG", "SN10", "\x1b", "EXIT"}));
  EXPECT_GE(sim.receivedAt("EXIT") - sim.receivedAt("SN10"), 5000);
  EXPECT_EQ(result().State_get(), etsCompleted);
  EXPECT_FLOAT_EQ(result().Value_get(), 0);
}

TEST_F(Interpreter, WaveformWithoutCommandIsRefusedBeforeAnythingIsSent) {
  options().WaveformType_let(static_cast<EWaveformType>(16));
  auto error = expectComError([&] { run(etcECGTest, epcNC); });
  EXPECT_EQ(error.number(), errVTI_Error);
  EXPECT_TRUE(sent().empty());
  ASSERT_EQ(sim.formsShown(), (Commands{"MessageBox"}));
  EXPECT_TRUE(sim.saw("MessageBox", "Micro sequence: #STOP=BPC;ECG;#STOP=ECG;;#WAIT=0;QUIT"));
  EXPECT_EQ(sim.vti().State_get(), evsIdle);
}

TEST(InterpreterResults, OverflowReadingGivesOverflowWithoutWaitingForAStream) {
  SimConnection sim(SimConnection::withFaults("healthy", {{"MREAD #1", "!21"}}));
  sim.answer("FWaitOnPC: wait");
  sim.vti().InitRemote(SimConnection::kPort);
  auto test = std::make_shared<CTrxSafetyTest>();
  test->Initialize(etcEnclLeak, epcNC);
  const auto started = sim.loop().now();
  sim.vti().RunSafetyTest(test, nullptr);
  EXPECT_EQ(sim.vti().TestResult_get()->State_get(), etsOverflow);
  EXPECT_FLOAT_EQ(sim.vti().TestResult_get()->Value_get(), 0);
  EXPECT_LT(sim.loop().now() - started, std::chrono::seconds(5));
}

TEST(InterpreterResults, MilliampereReadingsBecomeMicroamperes) {
  SimConnection sim("leakage-failure");
  sim.answer("FWaitOnPC: wait");
  sim.vti().InitRemote(SimConnection::kPort);
  auto test = std::make_shared<CTrxSafetyTest>();
  test->Initialize(etcEarthLeak, epcON);
  sim.vti().RunSafetyTest(test, nullptr);
  EXPECT_EQ(sim.vti().TestResult_get()->State_get(), etsCompleted);
  EXPECT_FLOAT_EQ(sim.vti().TestResult_get()->Value_get(), 1240);
}

TEST(InterpreterResults, ZeroingWithoutTestLeadGivesOverflowAndOl) {
  SimConnection sim("no-test-lead");
  sim.vti().InitRemote(SimConnection::kPort);
  EXPECT_TRUE(sim.vti().Calibrate());
  EXPECT_EQ(sim.commandsSince(5), (Commands{"ERES=LOW", "ZERO"}));
  EXPECT_EQ(sim.vti().TestResult_get()->State_get(), etsOverflow);
  EXPECT_EQ(sim.vti().TestResult_get()->ValueUnknown_get(), "OL");
  EXPECT_TRUE(sim.formsShown().empty());
}

TEST(InterpreterResults, StopWhileTheFirstReadingIsAwaitedStillEndsTheStream) {
  // The analyzer starts streaming as soon as it has MREAD; its first reading comes late.
  SimConnection sim(SimConnection::withFaults("healthy", {{"MREAD #1", "late 500 ms"}}));
  sim.vti().InitRemote(SimConnection::kPort);
  bool stopped = false;
  sim.loop().startRepeating(std::chrono::milliseconds(10), [&] {
    if (!stopped && sim.receivedAt("MREAD") >= 0) {
      stopped = true;
      sim.vti().Abort();
    }
  });
  auto test = std::make_shared<CTrxSafetyTest>();
  test->Initialize(etcProtEarth, epcOff);
  EXPECT_EQ(expectComError([&] { sim.vti().RunSafetyTest(test, nullptr); }).number(),
            errVTI_UserAbort);
  EXPECT_EQ(sim.commandsSince(5), (Commands{"STD=601", "ERES=LOW", "MREAD", "\x1b"}));
  sim.loop().processFor(std::chrono::seconds(2));
  EXPECT_FALSE(sim.analyzer().model().isStreaming());
}

TEST(InterpreterResults, LostReadingCommandIsRepeatedWithTheChannelsPauses) {
  SimConnection sim(SimConnection::withFaults("healthy", {{"MREAD #1-2", "silence"}}));
  sim.vti().InitRemote(SimConnection::kPort);
  auto test = std::make_shared<CTrxSafetyTest>();
  test->Initialize(etcProtEarth, epcOff);
  sim.vti().RunSafetyTest(test, nullptr);
  EXPECT_EQ(sim.vti().TestResult_get()->State_get(), etsCompleted);
  std::vector<double> sent;
  for (const auto& entry : sim.analyzer().transcript().entries()) {
    if (entry.direction == "in" && entry.text == "MREAD\r\n") sent.push_back(entry.timeMs);
  }
  ASSERT_EQ(sent.size(), 3u);
  // Each lost command times out after 10 s; the first is repeated at once, the second after
  // a pause of 100 ms.
  EXPECT_LT(sent[1] - sent[0], 10050);
  EXPECT_GE(sent[2] - sent[1], 10100);
}
