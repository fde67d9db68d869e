#include <gtest/gtest.h>

#include "driver/RunState.h"

using namespace vti;
using Condition = RunState::Condition;

TEST(RunState, OperatorStopOutlivesTheChannelStepsThatFollowIt) {
  RunState run;
  EXPECT_TRUE(run.none());
  run.stopOperation();
  run.interruptWait();
  // The channel starts its next pause or command: only the interrupted wait is spent.
  run.beginChannelStep();
  EXPECT_FALSE(run.has(Condition::WaitInterrupted));
  EXPECT_TRUE(run.has(Condition::OperationStopped));
  EXPECT_TRUE(run.has(Condition::SkipInstructions));
  EXPECT_TRUE(run.testHalted());
  // An operator's Stop alone does not silence the channel: the closing commands still go out.
  EXPECT_FALSE(run.channelHalted());
}

TEST(RunState, NewOperationEndsTheStopButKeepsSkippingUntilThePlugInClearsIt) {
  RunState run;
  run.stopOperation();
  run.beginOperation();
  EXPECT_FALSE(run.has(Condition::OperationStopped));
  EXPECT_TRUE(run.has(Condition::SkipInstructions));
  EXPECT_TRUE(run.testHalted());
  run.skipInstructions(false);
  EXPECT_TRUE(run.none());
  EXPECT_FALSE(run.testHalted());
}

TEST(RunState, InstrumentFailureHaltsTheChannelAndTheTestUntilCleared) {
  RunState run;
  run.instrumentFailed(true);
  EXPECT_TRUE(run.channelHalted());
  EXPECT_TRUE(run.testHalted());
  // Neither a new channel step nor a new operation clears it; only its owner does.
  run.beginChannelStep();
  run.beginOperation();
  EXPECT_TRUE(run.has(Condition::InstrumentFailed));
  run.instrumentFailed(false);
  EXPECT_FALSE(run.channelHalted());
  EXPECT_FALSE(run.testHalted());
  // An interrupted wait halts the channel only, never the test.
  run.interruptWait();
  EXPECT_TRUE(run.channelHalted());
  EXPECT_FALSE(run.testHalted());
}
