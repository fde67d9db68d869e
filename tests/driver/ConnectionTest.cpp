#include <gtest/gtest.h>

#include "ExpectError.h"
#include "SimConnection.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"

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
