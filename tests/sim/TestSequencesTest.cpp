#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>

#include "SimHarness.h"
#include "sim/TextTools.h"

namespace {

// The commands a host sends for each kind of test, with typical settings filled in and the
// polarity switch written out (status, outlet off, new polarity). Every one must be accepted,
// and every reading must be a value.
struct Sequence {
  const char* name;
  const char* commands;
};

const Sequence kSequences[] = {
    {"mains", "MAINS=L1-GND;MREAD"},
    {"protective earth", "ERES=LOW;MREAD"},
    {"insulation mains", "MINS;INS=HIGH;MREAD"},
    {"insulation applied parts", "APINS;INS=LOW;MREAD"},
    {"insulation mains to applied parts", "INSE;INS=HIGH;MREAD"},
    {"insulation mains to neutral", "INSB;INS=HIGH;MREAD"},
    {"insulation applied parts to neutral", "INSD;INS=HIGH;MREAD"},
    {"earth leakage", "EARTHL;STAT2;POL=OFF;POL=N;NEUT=O;MODE=ACDC;AP=-1;MREAD"},
    {"enclosure leakage", "ENCL;EARTH=O;STAT2;POL=OFF;POL=R;NEUT=C;MODE=AC;AP=RA//OPEN;MREAD"},
    {"patient leakage", "PAT;EARTH=O;STAT2;POL=OFF;POL=R;NEUT=C;MODE=AC;AP=1;MREAD"},
    {"patient auxiliary", "AUX;EARTH=C;STAT2;POL=OFF;POL=N;NEUT=C;MODE=DC;AP=RA/LL,LA/OPEN;MREAD"},
    {"mains on applied parts",
     "MAP;MAP=7.5MA;MAP=LOW;STAT2;POL=OFF;POL=N;MAP=NORM;AP=LL,LA,RL//GND;MREAD"},
    {"mains on applied parts, AAMI",
     "LEAD_ISO;MAP=1MA;MAP=LOW;STAT2;POL=OFF;POL=R;MAP=REV;"
     "AP=RA//OPEN;MREAD"},
    {"point to point voltage", "PPV;MREAD"},
    {"point to point resistance", "PPR;MREAD"},
    {"point to point leakage", "PPL;MODE=AC;MREAD"},
    {"equipment current", "EQCURR;MREAD"},
    {"alternative equipment leakage",
     "NOMINAL=ON;SAF;ALTEARTH=O;MODE=ACDC;AP=ALL//;MREAD;"
     "NOMINAL=OFF"},
    {"differential leakage", "DIFF;EARTH=C;STAT2;POL=OFF;POL=N;AP=//GND;MREAD"},
    {"direct equipment leakage", "DIRL;MODE=ACDC;EARTH=O;STAT2;POL=OFF;POL=R;AP=ALL//;MREAD"},
    {"direct applied part leakage",
     "NOMINAL=ON;DMAP;MAP=3.5MA;MODE=ACDC;STAT2;POL=OFF;POL=N;AP=RA//OPEN;MREAD;NOMINAL=OFF"},
    {"alternative applied part leakage",
     "NOMINAL=ON;SPAT;MODE=ACDC;AP=LL,LA//OPEN;MREAD;"
     "NOMINAL=OFF"},
    {"ECG simulation", "ECG;CPL30;\x1b;EXIT"},
    {"lead zeroing", "ERES=LOW;ZERO"},
};

class TestSequences : public ::testing::TestWithParam<Sequence> {};

TEST_P(TestSequences, EveryCommandIsAcceptedAndEveryReadingIsAValue) {
  SimHarness h;
  ASSERT_EQ(h.ask("\x1b"), "*\r\n");
  ASSERT_EQ(h.ask("STD=601"), "*\r\n");
  for (const std::string& command : sim::text_tools::split(GetParam().commands, ';')) {
    std::string reply = h.ask(command);
    if (command == "STAT2") {
      EXPECT_EQ(reply.size(), 6u);
    } else if (command == "MREAD" || command == "ZERO") {
      EXPECT_NE(reply[0], '!') << command << " gave " << reply;
      EXPECT_NE(reply.find(' '), std::string::npos) << "a value and its unit: " << reply;
      if (command == "MREAD") {
        EXPECT_EQ(h.ask("\x1b", std::chrono::milliseconds(50)), "*\r\n");
      }
    } else {
      EXPECT_EQ(reply, "*\r\n") << command;
    }
  }
  // Closing as a host does: leave the test mode if one is active, then go local.
  if (!(std::strtoul(h.ask("STAT1").c_str(), nullptr, 16) & 1)) h.ask("EXIT");
  EXPECT_EQ(h.ask("STAT3"), "0000\r\n");
  h.ask("LOCAL");
  EXPECT_EQ(h.analyzer().endState(),
            R"({"end":true,"control":"local","outlet":"off","test_mode":"","hung_up":false})");
}

INSTANTIATE_TEST_SUITE_P(AllTests, TestSequences, ::testing::ValuesIn(kSequences),
                         [](const ::testing::TestParamInfo<Sequence>& info) {
                           std::string name;
                           for (char c : std::string(info.param.name)) {
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           }
                           return name;
                         });

}  // namespace
