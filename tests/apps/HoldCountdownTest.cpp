#include <gtest/gtest.h>

#include <sstream>

#include "TrxctlFixture.h"
#include "apps/trxctl/CommandLine.h"
#include "apps/trxctl/HoldCountdown.h"

using namespace trxctl;

namespace {

constexpr const char* kInsulationLine =
    "Insulation, mains to earth, power off (etcIRMains epcOff): ";

TEST_F(TrxctlTest, OnATerminalAHeldTestShowsWhatIsAppliedAndCountsDownInPlace) {
  attach("");
  ASSERT_EQ(trxctl({"run", "3", "etcIRMains", "--ir-duration", "3"}, false, true), kExitSuccess)
      << err.str();
  const std::string text = out.str();
  EXPECT_EQ(text.find("\rInsulation, mains to earth: 500 V applied, 3 s left\x1b[K"), 0u) << text;
  const size_t two = text.find("500 V applied, 2 s left");
  const size_t one = text.find("500 V applied, 1 s left");
  const size_t reading = text.find("500 V applied, reading, 2 s left");
  EXPECT_LT(two, one);
  EXPECT_LT(one, reading);
  EXPECT_NE(reading, std::string::npos) << text;
  EXPECT_EQ(text.find("0 s left"), std::string::npos) << text;
  // The countdown is cleared before the result, which stands on a line of its own.
  const size_t result = text.find(kInsulationLine);
  ASSERT_NE(result, std::string::npos) << text;
  EXPECT_EQ(text.substr(result - 4, 4), "\r\x1b[K");
  EXPECT_EQ(text.find('\r', result), std::string::npos);
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
}

TEST_F(TrxctlTest, PipesAndJsonGetNoCountdown) {
  attach("");
  ASSERT_EQ(trxctl({"run", "3", "etcIRMains", "--ir-duration", "3"}), kExitSuccess) << err.str();
  EXPECT_EQ(out.str().find(kInsulationLine), 0u) << out.str();
  ASSERT_EQ(trxctl({"run", "3", "etcIRMains", "--ir-duration", "3", "--json"}, false, true),
            kExitSuccess)
      << err.str();
  EXPECT_EQ(out.str().front(), '{');
  for (const std::string& text : {out.str(), err.str()}) {
    EXPECT_EQ(text.find("s left"), std::string::npos) << text;
    EXPECT_EQ(text.find('\r'), std::string::npos) << text;
  }
}

TEST(HoldCountdown, AHoldEndedEarlyLeavesNothingOnTheLineAndNoTimerBehind) {
  platform::VirtualLoop ev;
  platform::LoopOverride useVirtualTime{ev};
  std::ostringstream terminal;
  HoldCountdown countdown(terminal);
  vti::TrxHold hold;
  hold.testCode = vti::etcPatLeak;
  hold.powerConfig = vti::epcNCRM;
  hold.milliseconds = 5000;
  countdown.HoldBegins(hold);
  ev.processFor(std::chrono::milliseconds(2500));
  countdown.HoldEnds();
  EXPECT_EQ(terminal.str(),
            "\rPatient leakage, reversed mains: settling, 5 s left\x1b[K"
            "\rPatient leakage, reversed mains: settling, 4 s left\x1b[K"
            "\rPatient leakage, reversed mains: settling, 3 s left\x1b[K"
            "\r\x1b[K");
  // No timer is left behind to write on the line later.
  const std::string shown = terminal.str();
  ev.processFor(std::chrono::seconds(3));
  EXPECT_EQ(terminal.str(), shown);
}

TEST(HoldCountdown, ShortHoldsAreNotShownAndReadingsSayWhatIsMeasured) {
  platform::VirtualLoop ev;
  platform::LoopOverride useVirtualTime{ev};
  std::ostringstream terminal;
  HoldCountdown countdown(terminal);
  vti::TrxHold hold;
  hold.testCode = vti::etcPatLeak;
  hold.powerConfig = vti::epcNCRM;
  hold.milliseconds = 300;
  countdown.HoldBegins(hold);
  countdown.HoldEnds();
  EXPECT_EQ(terminal.str(), "");
  hold.kind = vti::TrxHold::Kind::Reading;
  EXPECT_EQ(HoldCountdown::describe(hold), "Patient leakage, reversed mains: reading");
  hold.testCode = vti::etcECGTest;
  hold.powerConfig = vti::epcNC;
  hold.kind = vti::TrxHold::Kind::Settling;
  EXPECT_EQ(HoldCountdown::describe(hold), "ECG simulation, normal condition: waveform running");
  hold.kind = vti::TrxHold::Kind::Reading;
  hold.testCode = vti::etcIRAppl;
  hold.powerConfig = vti::epcOff;
  hold.testVolts = 250;
  EXPECT_EQ(HoldCountdown::describe(hold),
            "Insulation, applied parts to earth: 250 V applied, reading");
}

}  // namespace
