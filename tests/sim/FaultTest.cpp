#include <gtest/gtest.h>

#include "SimHarness.h"

namespace {

using std::chrono::milliseconds;

class Refusals : public ::testing::TestWithParam<const char*> {};

TEST_P(Refusals, ReplaceTheReplyAndLeaveTheCommandUndone) {
  std::string code = GetParam();
  SimHarness h("[faults]\nPOL #1 = " + code + "\n");
  h.ask("PAT");
  EXPECT_EQ(h.ask("POL=N"), code + "\r\n");
  EXPECT_EQ(h.analyzer().model().outletText(), "off");
  EXPECT_EQ(h.ask("POL=N"), "*\r\n") << "only the first occurrence";
  EXPECT_EQ(h.analyzer().model().outletText(), "normal");
}

INSTANTIATE_TEST_SUITE_P(EveryCode, Refusals,
                         ::testing::Values("!21", "!22", "!32", "!33", "!34", "!40", "!52", "!54",
                                           "!57", "!99", "!X7"));

TEST(Faults, OccurrencesCountPerRule) {
  SimHarness h(R"(
[faults]
READ #2-3 = !22
STAT #2+ = reply 00FF
SN * = reply ?
POL=R #1 = !22
)");
  h.ask("ENCL");
  EXPECT_EQ(h.ask("READ"), "0.0 uA\r\n");
  EXPECT_EQ(h.ask("READ"), "!22\r\n");
  EXPECT_EQ(h.ask("READ"), "!22\r\n");
  EXPECT_EQ(h.ask("READ"), "0.0 uA\r\n");
  EXPECT_NE(h.ask("STAT"), "00FF\r\n");
  EXPECT_EQ(h.ask("STAT"), "00FF\r\n");
  EXPECT_EQ(h.ask("STAT"), "00FF\r\n");
  EXPECT_EQ(h.ask("SN"), "?\r\n");
  EXPECT_EQ(h.ask("POL=N"), "*\r\n") << "a rule with = names the exact command";
  EXPECT_EQ(h.ask("POL=R"), "!22\r\n");
}

TEST(Faults, SilenceLosesTheCommand) {
  SimHarness h("[faults]\nREMOTE #1 = silence\n[analyzer]\nready = no\n");
  EXPECT_EQ(h.ask("REMOTE", std::chrono::seconds(2)), "");
  EXPECT_FALSE(h.analyzer().model().isRemote());
  EXPECT_EQ(h.ask("REMOTE"), "*\r\n");
}

TEST(Faults, LateReplyAndProcessingDelay) {
  SimHarness h("[timing]\nprocessing = 10 ms\nIDENT = 40 ms\n[faults]\nSN #1 = late 1500 ms\n");
  auto timeOf = [&h](const std::string& command) {
    auto start = h.loop().now();
    h.ask(command);
    return std::chrono::duration_cast<milliseconds>(h.loop().now() - start).count();
  };
  // Processing delay plus the line: a few bytes at 115200 baud and the cable's latency.
  EXPECT_EQ(timeOf("STAT"), 11);
  EXPECT_EQ(timeOf("IDENT"), 42);
  EXPECT_EQ(timeOf("SN"), 1511);
  EXPECT_EQ(timeOf("SN"), 11);
}

TEST(Faults, ReplyWithoutLineEnd) {
  SimHarness h("[faults]\nIDENT #1 = no-crlf\n");
  EXPECT_EQ(h.ask("IDENT", std::chrono::seconds(1)), "TRX 440,2.05");
  EXPECT_EQ(h.ask("IDENT"), "TRX 440,2.05\r\n");
}

TEST(Faults, ReplySplitOverManyReads) {
  SimHarness h("[faults]\nIDENT #1 = split 6 20 ms\n");
  std::vector<std::string> reads;
  auto host = h.link().hostEnd();
  host->onReadable([&] { reads.push_back(host->read()); });
  h.send("IDENT\r\n");
  h.loop().processFor(std::chrono::milliseconds(200));
  ASSERT_EQ(reads.size(), 6u);
  std::string joined;
  for (const auto& r : reads) joined += r;
  EXPECT_EQ(joined, "TRX 440,2.05\r\n");
  EXPECT_EQ(reads.back().substr(reads.back().size() - 2), "\r\n");
}

TEST(Faults, HangUpCutsTheLineInTheMiddleOfATest) {
  SimHarness h("[faults]\nAP #1 = hangup\n");
  h.ask("PAT");
  h.ask("POL=N");
  EXPECT_EQ(h.ask("AP=RA//OPEN", std::chrono::seconds(1)), "");
  EXPECT_TRUE(h.link().isHungUp());
  EXPECT_EQ(h.ask("STAT", std::chrono::seconds(1)), "");
  // The analyzer is left as the line found it: still remote, the device still powered.
  EXPECT_EQ(
      h.analyzer().endState(),
      R"({"end":true,"control":"remote","outlet":"normal","test_mode":"PAT","hung_up":true})");
}

TEST(Faults, GroundFaultTripBlocksUntilReset) {
  SimHarness h("[faults]\nEQCURR #1 = ground-fault\n");
  EXPECT_EQ(h.ask("EQCURR"), "!50\r\n");
  EXPECT_EQ(h.ask("STAT3"), "4000\r\n");
  EXPECT_EQ(h.ask("IDENT"), "!50\r\n");
  EXPECT_EQ(h.analyzer().model().outletText(), "off");
  EXPECT_EQ(h.ask("GFIR"), "*\r\n");
  EXPECT_EQ(h.ask("STAT3"), "0000\r\n");
  EXPECT_EQ(h.ask("IDENT"), "TRX 440,2.05\r\n");
}

TEST(Faults, OverVoltageBlocksUntilReset) {
  SimHarness h("[faults]\nMAINS #1 = over-voltage\n");
  EXPECT_EQ(h.ask("MAINS=L1-L2"), "!51\r\n");
  EXPECT_EQ(h.ask("READ"), "!51\r\n");
  EXPECT_EQ(h.ask("OVR"), "*\r\n");
  EXPECT_EQ(h.ask("MAINS=L1-L2"), "*\r\n");
}

TEST(Faults, HighVoltageModeShowsInStat2UntilExit) {
  SimHarness h("[faults]\nMINS #1 = high-voltage\n");
  EXPECT_EQ(h.ask("MINS"), "*\r\n");
  EXPECT_EQ(h.ask("STAT2"), "3000\r\n");
  h.ask("EXIT");
  EXPECT_EQ(h.ask("STAT2"), "0000\r\n");
}

TEST(Faults, RefusedMreadStartsNoStream) {
  SimHarness h("[timing]\nstream = 100 ms\n[faults]\nMREAD #1 = !22\n");
  h.ask("ENCL");
  EXPECT_EQ(h.ask("MREAD"), "!22\r\n");
  EXPECT_EQ(h.collect(std::chrono::seconds(1)), "");
}

}  // namespace

namespace {

TEST(Faults, ShippedFlakyLineRecoversWhenTheHostRetries) {
  SimHarness h(sim::Scenario::load("flaky-line"));
  EXPECT_EQ(h.ask("STAT", std::chrono::seconds(1)), "") << "the first status query is lost";
  EXPECT_EQ(h.ask("STAT").size(), 6u);
  EXPECT_EQ(h.ask("IDENT"), "TRX 440,2.05\r\n") << "pieces add up to the whole line";
  h.ask("ENCL");
  h.ask("POL=N");
  EXPECT_EQ(h.ask("READ"), "!22\r\n");
  std::string value = h.ask("READ");
  EXPECT_NE(value.find(" uA\r\n"), std::string::npos) << value;
}

}  // namespace
