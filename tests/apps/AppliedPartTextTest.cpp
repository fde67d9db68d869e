#include "apps/trxctl/AppliedPartText.h"

#include <gtest/gtest.h>

namespace {

using trxctl::AppliedPartText;

TEST(AppliedPartText, TakesEveryFormTheAnalyzerAccepts) {
  for (const char* text :
       {"ALL", "1", "5", "RA", "V1", "RA,LL", "1,2,3,4,5", "RA,3", "RA//OPEN", "RA,LL//OPEN",
        "LL//GND", "LL,LA,RL//GND", "ALL//", "RA,LL/LA/GND", "RA/LA,RL/OPEN"}) {
    EXPECT_EQ(AppliedPartText::problem(text), "") << text;
  }
}

TEST(AppliedPartText, RefusesWhatTheAnalyzerWouldMisreadOrIgnore) {
  for (const char* text :
       {"", "ra", "RA,", ",RA", "RA,,LL", "0", "6", "12", "RA LL", "RA//open", "RA//GROUND",
        "RA/OPEN", "RA///OPEN", "//GND", "RA//OPEN;POL=N", "RA/XX/GND", "RA\r\nPOL=N"}) {
    EXPECT_NE(AppliedPartText::problem(text), "") << text;
  }
}

TEST(AppliedPartText, SaysWhichPartIsWrongAndNeverEchoesControlCharacters) {
  EXPECT_NE(AppliedPartText::problem("RA,XY//OPEN").find("\"XY\" is not a lead"),
            std::string::npos);
  EXPECT_NE(AppliedPartText::problem("RA//OFF").find("\"OFF\" is neither OPEN nor GND"),
            std::string::npos);
  EXPECT_NE(AppliedPartText::problem("RA/GND").find("two slashes"), std::string::npos);
  const std::string why = AppliedPartText::problem("RA\x1b[2J");
  EXPECT_EQ(why.find('\x1b'), std::string::npos) << why;
  EXPECT_NE(why.find("<ESC>"), std::string::npos) << why;
}

}  // namespace
