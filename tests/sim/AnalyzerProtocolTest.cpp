#include <gtest/gtest.h>

#include <cstdlib>

#include "SimHarness.h"

namespace {

unsigned hexWord(const std::string& reply) {
  return static_cast<unsigned>(std::strtoul(reply.c_str(), nullptr, 16));
}

TEST(AnalyzerProtocol, IdentifiesItselfAndAcknowledges) {
  SimHarness h("[analyzer]\nfirmware = 3.10\nserial = S-42\n");
  EXPECT_EQ(h.ask("REMOTE"), "*\r\n");
  EXPECT_EQ(h.ask("IDENT"), "TRX 440,3.10\r\n");
  EXPECT_EQ(h.ask("SN"), "S-42\r\n");
  EXPECT_EQ(h.ask("STD=353"), "*\r\n");
  EXPECT_EQ(h.ask("RPTIME=2"), "*\r\n");
  EXPECT_EQ(h.ask("NOMINAL=ON"), "*\r\n");
  EXPECT_EQ(h.analyzer().model().standard(), "353");
  EXPECT_EQ(h.analyzer().model().polarityDelay(), 2);
  EXPECT_TRUE(h.analyzer().model().nominalMains());
  EXPECT_EQ(h.ask("RPTIME=-1"), "!11\r\n");
  EXPECT_EQ(h.ask("NOSUCH"), "!10\r\n");
  EXPECT_EQ(h.ask("STD=XYZ"), "!11\r\n");
  EXPECT_EQ(h.ask("MAINS"), "!11\r\n") << "the mains test needs its pair";
}

TEST(AnalyzerProtocol, RestingAnalyzerIsReadyForRemoteControlAfterLocal) {
  SimHarness h;
  // What a presence query does: LOCAL, a bare ESC, then STAT expecting bit 0x4.
  EXPECT_EQ(h.ask("LOCAL"), "*\r\n");
  h.clearReceived();
  h.send("\x1b");
  EXPECT_EQ(h.awaitLine(), "*\r\n") << "a bare escape key acts without CR LF";
  std::string stat = h.ask("STAT");
  ASSERT_EQ(stat.size(), 6u);
  EXPECT_TRUE(hexWord(stat) & 0x4);
  EXPECT_FALSE(hexWord(stat) & 0x1) << "still local";
  // A host that finds the bit set goes on without REMOTE; its first operating command takes
  // control.
  EXPECT_EQ(h.ask("RPTIME=0"), "*\r\n");
  EXPECT_TRUE(hexWord(h.ask("STAT")) & 0x1);
  EXPECT_TRUE(h.analyzer().model().isRemote());
}

TEST(AnalyzerProtocol, BusyFrontPanelClearsReadyBitUntilRemote) {
  SimHarness h("[analyzer]\nready = no\n");
  h.ask("LOCAL");
  EXPECT_FALSE(hexWord(h.ask("STAT")) & 0x4);
  EXPECT_EQ(h.ask("IDENT"), "TRX 440,2.05\r\n") << "queries still work";
  EXPECT_EQ(h.ask("PAT"), "!22\r\n") << "operating it is refused";
  EXPECT_EQ(h.ask("REMOTE"), "*\r\n");
  EXPECT_EQ(hexWord(h.ask("STAT")) & 0x5, 0x5u);
  EXPECT_EQ(h.ask("PAT"), "*\r\n");
}

TEST(AnalyzerProtocol, OutletPolarityAndConditionsShowInStat2) {
  SimHarness h;
  h.ask("REMOTE");
  EXPECT_EQ(h.ask("POL=N"), "!12\r\n") << "no test mode powers the device";
  h.ask("PAT");
  EXPECT_EQ(hexWord(h.ask("STAT2")) & 0x208, 0u);
  h.ask("POL=N");
  EXPECT_EQ(hexWord(h.ask("STAT2")) & 0x208, 0x008u);
  h.ask("POL=R");
  h.ask("NEUT=O");
  h.ask("EARTH=O");
  EXPECT_EQ(hexWord(h.ask("STAT2")) & 0x238, 0x238u);
  EXPECT_EQ(h.analyzer().model().outletText(), "reversed, open neutral, open earth");
  // A leakage mode keeps the polarity for the next test, and resets the single faults.
  h.ask("ENCL");
  EXPECT_EQ(h.analyzer().model().outletText(), "reversed");
  // A test on the unpowered device switches the outlet off, and refuses to power it.
  h.ask("MINS");
  EXPECT_EQ(hexWord(h.ask("STAT2")) & 0x208, 0u);
  EXPECT_EQ(h.ask("POL=N"), "!12\r\n");
  h.ask("INS=HIGH");
  EXPECT_TRUE(hexWord(h.ask("STAT2")) & 0x40) << "insulation test voltage applied";
  h.ask("\x1b");
  EXPECT_FALSE(hexWord(h.ask("STAT2")) & 0x40);
  // The equipment current needs the device powered.
  h.ask("EQCURR");
  EXPECT_EQ(hexWord(h.ask("STAT2")) & 0x208, 0x008u);
}

TEST(AnalyzerProtocol, ExitAndLocalLeaveTestModeWithOutletOff) {
  SimHarness h;
  EXPECT_TRUE(hexWord(h.ask("STAT1")) & 0x1) << "idle at start";
  h.ask("EARTHL");
  h.ask("POL=N");
  EXPECT_FALSE(hexWord(h.ask("STAT1")) & 0x1);
  EXPECT_EQ(h.ask("EXIT"), "*\r\n");
  EXPECT_TRUE(hexWord(h.ask("STAT1")) & 0x1);
  EXPECT_EQ(h.analyzer().model().outletText(), "off");

  h.ask("DIFF");
  h.ask("POL=R");
  EXPECT_EQ(h.ask("LOCAL"), "*\r\n");
  EXPECT_EQ(h.analyzer().endState(),
            R"({"end":true,"control":"local","outlet":"off","test_mode":"","hung_up":false})");
}

TEST(AnalyzerProtocol, EcgWaveformsOnlyInEcgMode) {
  SimHarness h;
  EXPECT_EQ(h.ask("SN10"), "!12\r\n");
  h.ask("ECG");
  EXPECT_EQ(h.ask("SN10"), "*\r\n");
  EXPECT_TRUE(hexWord(h.ask("STAT1")) & 0x2);
  EXPECT_EQ(h.ask("READ"), "!12\r\n") << "the ECG simulation has nothing to read";
  h.ask("\x1b");
  EXPECT_FALSE(hexWord(h.ask("STAT1")) & 0x2);
}

TEST(AnalyzerProtocol, MapSettingsBelongToMapModes) {
  SimHarness h;
  h.ask("PAT");
  EXPECT_EQ(h.ask("MAP=LOW"), "!12\r\n");
  for (const char* mode : {"MAP", "LEAD_ISO", "DMAP"}) {
    h.ask(mode);
    for (const char* setting : {"LOW", "NORM", "REV", "1MA", "7.5MA", "3.5MA"}) {
      EXPECT_EQ(h.ask(std::string("MAP=") + setting), "*\r\n") << mode << " " << setting;
    }
    EXPECT_EQ(h.ask("MAP=2MA"), "!11\r\n");
  }
}

TEST(AnalyzerProtocol, MreadStreamsUntilEscape) {
  SimHarness h("[timing]\nprocessing = 5 ms\nstream = 100 ms\n[device]\nENCL = 12.5 uA\n");
  h.ask("ENCL");
  h.ask("POL=N");
  h.clearReceived();
  h.send("MREAD\r\n");
  std::string stream = h.collect(std::chrono::milliseconds(1050));
  // The first reading at once, then one every 100 ms.
  size_t lines = 0;
  for (size_t at = stream.find("12.5 uA\r\n"); at != std::string::npos;
       at = stream.find("12.5 uA\r\n", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 11u) << stream;
  h.send("STAT\r\n");
  std::string during = h.collect(std::chrono::milliseconds(300));
  EXPECT_NE(during.find("0035\r\n"), std::string::npos) << "remote, ready, test mode, streaming";
  EXPECT_NE(during.rfind("12.5 uA\r\n"), during.find("12.5 uA\r\n"))
      << "a status query does not end the stream: " << during;
  EXPECT_EQ(h.ask("\x1b"), "*\r\n");
  EXPECT_EQ(h.collect(std::chrono::seconds(1)), "") << "nothing after ESC";
}

TEST(AnalyzerProtocol, AnyOtherCommandEndsTheStream) {
  SimHarness h("[timing]\nstream = 100 ms\n");
  h.ask("EARTHL");
  h.ask("POL=N");
  h.ask("MREAD");
  EXPECT_EQ(h.ask("EXIT"), "*\r\n");
  EXPECT_EQ(h.collect(std::chrono::seconds(1)), "");
}

TEST(AnalyzerProtocol, AHostThatFloodsCommandsLosesThemInsteadOfFillingMemory) {
  SimHarness h;
  std::string flood;
  for (int i = 0; i < 1000; ++i) flood += "STAT1\r\n";
  h.send(flood);
  std::string replies = h.collect(std::chrono::seconds(30));
  size_t answered = 0;
  for (size_t at = 0; (at = replies.find("0001\r\n", at)) != std::string::npos; at += 6) ++answered;
  EXPECT_EQ(answered, sim::SimulatedAnalyzer::kMaxPending);
  EXPECT_EQ(h.ask("IDENT"), "TRX 440,2.05\r\n") << "the next command after the flood is served";
}

}  // namespace
