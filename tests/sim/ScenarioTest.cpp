#include <gtest/gtest.h>

#include <filesystem>

#include "sim/Scenario.h"

namespace {

std::string errorOf(const std::string& text) {
  try {
    sim::Scenario::parse(text, "x.scn");
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
  return "";
}

TEST(Scenario, ReadsEverySection) {
  sim::Scenario s = sim::Scenario::parse(R"(
# comment line
[analyzer]
title = A device   # trailing comment
firmware = 1.99
serial = SN-1
ready = no
lead = open
milliamps from = 2 mA
noise = 2 %
[timing]
processing = 7 ms
stream = 0.5 s
IDENT = 30
[device]
PAT RA open-earth dc = 0.25 mA
MINS = overflow
ERES = none
[factors]
reversed = 1.2
open-earth ENCL = 9
[faults]
# a comment here too
POL=R #2-3 = late 2 s, split 3   # retries
)");
  EXPECT_EQ(s.title, "A device");
  EXPECT_EQ(s.firmware, "1.99");
  EXPECT_EQ(s.serial, "SN-1");
  EXPECT_FALSE(s.ready);
  EXPECT_FALSE(s.leadConnected);
  EXPECT_DOUBLE_EQ(s.milliampsFrom, 2000);
  EXPECT_DOUBLE_EQ(s.noise, 0.02);
  EXPECT_EQ(s.processingOf("STAT"), std::chrono::milliseconds(7));
  EXPECT_EQ(s.processingOf("IDENT"), std::chrono::milliseconds(30));
  EXPECT_EQ(s.streamInterval, std::chrono::milliseconds(500));
  ASSERT_EQ(s.readings.size(), 3u);
  EXPECT_EQ(s.readings[0].selector, "RA");
  EXPECT_EQ(s.readings[0].conditions, (std::set<std::string>{"open-earth", "dc"}));
  EXPECT_DOUBLE_EQ(s.readings[0].value, 250);
  EXPECT_EQ(s.readings[1].kind, sim::ReadingEntry::Overflow);
  EXPECT_EQ(s.readings[2].kind, sim::ReadingEntry::NoReading);
  ASSERT_EQ(s.factors.size(), 2u);
  EXPECT_EQ(s.factors[1].quantity, "ENCL");
  EXPECT_FALSE(s.faults.match("POL=R"));
  auto fault = s.faults.match("POL=R");
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->extraDelay, std::chrono::seconds(2));
  EXPECT_EQ(fault->splitParts, 3);
}

TEST(Scenario, MistakesNameTheirLine) {
  EXPECT_EQ(errorOf("[analyzer]\nfirmware = 1\nbogus = 2\n"),
            "x.scn:3: unknown analyzer setting \"bogus\"");
  EXPECT_EQ(errorOf("[device]\nFOO = 1 uA\n"), "x.scn:2: unknown quantity \"FOO\"");
  EXPECT_EQ(errorOf("[device]\nMAINS = 12 uA\n"), "x.scn:2: MAINS is given in V");
  EXPECT_EQ(errorOf("[device]\nPAT XX = 1 uA\n"),
            "x.scn:2: \"XX\" is neither a lead, a mains pair nor a condition");
  EXPECT_EQ(errorOf("[faults]\nREAD #0 = !22\n"), "x.scn:2: bad occurrence \"#0\"");
  EXPECT_EQ(errorOf("[faults]\nREAD #3-2 = !22\n"), "x.scn:2: bad occurrence \"#3-2\"");
  EXPECT_EQ(errorOf("[faults]\nREAD #1 = explode\n"), "x.scn:2: unknown fault \"explode\"");
  EXPECT_EQ(errorOf("[faults]\nREAD #1 = late soon\n"), "x.scn:2: not a duration: \"soon\"");
  EXPECT_EQ(errorOf("[timing]\nprocessing = 1e300 s\n"), "x.scn:2: not a duration: \"1e300 s\"");
  EXPECT_EQ(errorOf("firmware = 1\n"), "x.scn:1: a line before the first section");
  EXPECT_EQ(errorOf("[nonsense]\n"), "x.scn:1: unknown section nonsense");
}

TEST(Scenario, EveryShippedScenarioLoads) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(sim::Scenario::shippedFolder())) {
    if (entry.path().extension() != ".scn") continue;
    ++count;
    EXPECT_NO_THROW(sim::Scenario::load(entry.path().string())) << entry.path();
  }
  EXPECT_GE(count, 3);
  EXPECT_EQ(sim::Scenario::load("healthy").firmware, "2.05") << "found by name";
  EXPECT_THROW(sim::Scenario::load("no-such-scenario"), std::invalid_argument);
}

}  // namespace
