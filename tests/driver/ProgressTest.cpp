#include <gtest/gtest.h>

#include <chrono>

#include "SimConnection.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"
#include "driver/TrxProgress.h"
#include "support/ExpectError.h"

using namespace vti;
using namespace std::chrono_literals;

namespace {

// Records what the driver tells of its waits, with the loop time of each call.
struct RecordingProgress : TrxProgress {
  struct Event {
    bool begins;
    TrxHold hold;
    platform::TimePoint at;
  };
  void HoldBegins(const TrxHold& hold) override {
    events.push_back({true, hold, platform::loop().now()});
    if (onBegin) onBegin();
  }
  void HoldEnds() override { events.push_back({false, {}, platform::loop().now()}); }

  std::vector<Event> events;
  std::function<void()> onBegin;
};

struct Progress : ::testing::Test {
  SimConnection sim;
  std::shared_ptr<RecordingProgress> progress = std::make_shared<RecordingProgress>();

  void SetUp() override {
    sim.answer("FWaitOnPC: click cmdContinue\nMessageBox: click cmdOK");
    sim.vti().InitRemote(SimConnection::kPort);
    sim.vti().Progress_set(progress);
  }
  void run(ETrxTestCode code, ETrxPowerConfiguration pc) {
    auto test = std::make_shared<CTrxSafetyTest>();
    test->Initialize(code, pc);
    test->AP_let("1");
    sim.vti().RunSafetyTest(test, nullptr);
  }
  static long long ms(platform::Duration d) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(d).count();
  }
};

}  // namespace

TEST_F(Progress, InsulationTellsItsVoltageAndDurationThenTheReadingStream) {
  sim.vti().TestOptions_get()->TestVoltage_let(etv_250);
  sim.vti().TestOptions_get()->IRDuration_let(10);
  run(etcIRMains, epcOff);
  const auto& events = progress->events;
  ASSERT_EQ(events.size(), 4u);
  ASSERT_TRUE(events[0].begins);
  EXPECT_EQ(events[0].hold.kind, TrxHold::Kind::Settling);
  EXPECT_EQ(events[0].hold.testCode, etcIRMains);
  EXPECT_EQ(events[0].hold.powerConfig, epcOff);
  EXPECT_EQ(events[0].hold.testVolts, 250);
  EXPECT_EQ(events[0].hold.milliseconds, 10000);
  EXPECT_FALSE(events[1].begins);
  EXPECT_GE(ms(events[1].at - events[0].at), 10000);
  EXPECT_LT(ms(events[1].at - events[0].at), 10100);
  ASSERT_TRUE(events[2].begins);
  EXPECT_EQ(events[2].hold.kind, TrxHold::Kind::Reading);
  EXPECT_EQ(events[2].hold.milliseconds, 2000);
  EXPECT_EQ(events[2].hold.testVolts, 250);
  EXPECT_FALSE(events[3].begins);
  EXPECT_GE(ms(events[3].at - events[2].at), 2000);
  EXPECT_EQ(sim.vti().TestResult_get()->State_get(), etsCompleted);
}

TEST_F(Progress, LeakageAppliesNoTestVoltageAndZeroingTheLeadTellsNothing) {
  run(etcPatLeak, epcNCRM);
  ASSERT_FALSE(progress->events.empty());
  for (const auto& event : progress->events) {
    if (!event.begins) continue;
    EXPECT_EQ(event.hold.testCode, etcPatLeak);
    EXPECT_EQ(event.hold.powerConfig, epcNCRM);
    EXPECT_EQ(event.hold.testVolts, 0);
  }
  progress->events.clear();
  EXPECT_TRUE(sim.vti().Calibrate());
  EXPECT_TRUE(progress->events.empty());
}

TEST_F(Progress, AStopDuringTheHoldStillEndsIt) {
  sim.vti().TestOptions_get()->IRDuration_let(10);
  progress->onBegin = [this] {
    progress->onBegin = nullptr;
    sim.loop().startTimer(3s, [this] { sim.vti().Abort(); });
  };
  EXPECT_EQ(expectComError([&] { run(etcIRMains, epcOff); }).number(), errVTI_UserAbort);
  const auto& events = progress->events;
  ASSERT_EQ(events.size(), 2u);
  EXPECT_FALSE(events[1].begins);
  EXPECT_EQ(ms(events[1].at - events[0].at), 3000);
  // Nothing is told once the observer is removed.
  sim.vti().Progress_set(nullptr);
  run(etcIRMains, epcOff);
  EXPECT_EQ(events.size(), 2u);
}
