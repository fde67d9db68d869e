#include <gtest/gtest.h>

#include "plugin/guide/MLeadStrip.h"

using plugin::MLeadStrip::Draw;
using plugin::MLeadStrip::Module;

namespace {
const std::vector<std::string> kSockets{"RA", "LL", "LA", "RL", "V1"};
}

TEST(LeadStrip, ModulesFollowEachOtherFromTheStartSocket) {
  const auto strip = Draw({{"A", 1}, {"NoLeads", 0}, {"B", 2}}, 3, kSockets);
  EXPECT_EQ(strip.sockets, "  RA    LL   [LA]  [RL]  [V1]");
  EXPECT_EQ(strip.names, "              A        B");
  EXPECT_EQ(strip.lines, "             +--+  +--------+");
}

TEST(LeadStrip, ANameFitsOnlyWithABlankEitherSide) {
  // One socket is six characters wide: four fit, five would touch the neighbour's name.
  EXPECT_EQ(Draw({{"ABCD", 1}}, 1, kSockets).names, " ABCD");
  EXPECT_EQ(Draw({{"ABCDE", 1}}, 1, kSockets).names, "");
  EXPECT_EQ(Draw({{"ABCDE", 1}}, 1, kSockets).lines, "");
  // The sockets are marked whether or not the name fits.
  EXPECT_EQ(Draw({{"ABCDE", 1}}, 1, kSockets).sockets, " [RA]   LL    LA    RL    V1");
  // Width counts characters, not bytes.
  EXPECT_EQ(Draw({{"\xC3\x84KG1", 1}}, 1, kSockets).names, " \xC3\x84KG1");
}

TEST(LeadStrip, NothingIsDrawnBeyondTheFifthSocket) {
  const auto strip = Draw({{"ECG", 4}, {"X", 3}, {"Late", 1}}, 1, kSockets);
  EXPECT_EQ(strip.sockets, " [RA]  [LL]  [LA]  [RL]  [V1]");
  // The second module keeps the one socket left; the third has none.
  EXPECT_EQ(strip.names.find("Late"), std::string::npos);
  EXPECT_NE(strip.names.find("X"), std::string::npos);
  EXPECT_LE(plugin::MLeadStrip::TextWidth(strip.lines), 30);
}
