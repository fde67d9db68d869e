#include <gtest/gtest.h>

#include "SimHarness.h"

namespace {

// The healthy device's values without the ones the tests below set themselves.
const char* kDevice = R"(
[device]
MAINS L1-GND = 229.8 V
ZERO = 0.021 Ohm
ERES = 0.085 Ohm
MINS = overflow
EARTHL = 180 uA
EARTHL open-neutral = 350 uA
ENCL = 8 uA
PAT RA = 3.5 uA
PAT LL = 0.9 uA
PAT = 0.5 uA
EQCURR = 0.45 A
[factors]
reversed = 1.5
open-earth ENCL = 10
)";

std::string readIn(SimHarness& h, std::initializer_list<const char*> setup) {
  for (const char* command : setup) EXPECT_EQ(h.ask(command), "*\r\n") << command;
  return h.ask("READ");
}

TEST(Readings, MainsAndResistanceInTheirUnits) {
  SimHarness h(kDevice);
  EXPECT_EQ(readIn(h, {"MAINS=L1-GND"}), "229.8 V\r\n");
  EXPECT_EQ(readIn(h, {"MAINS=L1-L2"}), "230.0 V\r\n") << "the built-in value fills gaps";
  // Through the test lead until it is zeroed, then the device's own resistance.
  EXPECT_EQ(readIn(h, {"ERES=LOW"}), "0.106 Ohm\r\n");
  EXPECT_EQ(h.ask("ZERO"), "0.021 Ohm\r\n");
  EXPECT_EQ(h.ask("READ"), "0.085 Ohm\r\n");
  EXPECT_EQ(readIn(h, {"MINS", "INS=HIGH"}), "!21\r\n") << "beyond the insulation range";
  EXPECT_EQ(readIn(h, {"EQCURR"}), "0.45 A\r\n");
}

TEST(Readings, LeakageFollowsPowerConfiguration) {
  SimHarness h(kDevice);
  EXPECT_EQ(readIn(h, {"EARTHL"}), "0.0 uA\r\n") << "an unpowered device leaks nothing";
  EXPECT_EQ(readIn(h, {"POL=N"}), "180.0 uA\r\n");
  EXPECT_EQ(readIn(h, {"NEUT=O"}), "350.0 uA\r\n") << "its own single-fault value";
  EXPECT_EQ(readIn(h, {"POL=R"}), "525.0 uA\r\n") << "open neutral value times reversed factor";
  EXPECT_EQ(readIn(h, {"ENCL", "POL=N", "EARTH=O"}), "80.0 uA\r\n");
  EXPECT_EQ(readIn(h, {"EARTH=C", "MODE=DC"}), "0.4 uA\r\n") << "built-in DC share 5 %";
}

TEST(Readings, PatientLeakageSumsTheLeadsUnderTest) {
  SimHarness h(kDevice);
  EXPECT_EQ(readIn(h, {"PAT", "POL=N", "AP=RA//OPEN"}), "3.5 uA\r\n");
  EXPECT_EQ(readIn(h, {"AP=RA,LL//OPEN"}), "4.4 uA\r\n");
  EXPECT_EQ(readIn(h, {"AP=LL,LA,RL/RA/GND"}), "1.9 uA\r\n") << "LA and RL take the default";
  EXPECT_EQ(readIn(h, {"AP=1"}), "3.5 uA\r\n") << "socket numbers name leads too";
  EXPECT_EQ(readIn(h, {"AP=ALL//"}), "5.9 uA\r\n");
}

TEST(Readings, LargeLeakagePrintsInMilliamps) {
  SimHarness h("[analyzer]\nmilliamps from = 1 mA\n[device]\nEARTHL = 1234 uA\nENCL = 999 uA\n");
  EXPECT_EQ(readIn(h, {"EARTHL", "POL=N"}), "1.234 mA\r\n");
  EXPECT_EQ(readIn(h, {"ENCL"}), "999.0 uA\r\n");
}

TEST(Readings, ZeroWithoutTestLeadHasNoReading) {
  SimHarness open("[analyzer]\nlead = open\n");
  open.ask("ERES=LOW");
  EXPECT_EQ(open.ask("ZERO"), "!32\r\n");
  SimHarness broken("[device]\nZERO = 2.5 Ohm\n");
  broken.ask("ERES=LOW");
  EXPECT_EQ(broken.ask("ZERO"), "!33\r\n") << "a lead of more than an ohm cannot be nulled";
  EXPECT_EQ(broken.ask("PAT"), "*\r\n");
  EXPECT_EQ(broken.ask("ZERO"), "!12\r\n") << "zeroing belongs to the resistance tests";
}

TEST(Readings, NoiseIsDeterministicPerSeed) {
  const char* text = "[analyzer]\nnoise = 5 %\nseed = 3\n[device]\nENCL = 100 uA\n";
  auto twoReadings = [text] {
    SimHarness h(text);
    std::string first = readIn(h, {"ENCL", "POL=N"});
    return first + h.ask("READ");
  };
  std::string once = twoReadings();
  EXPECT_EQ(once, twoReadings());
  EXPECT_NE(once.substr(0, once.find('\n')), once.substr(once.find('\n') + 1))
      << "successive readings vary";
}

}  // namespace
