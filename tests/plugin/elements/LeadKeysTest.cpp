#include <gtest/gtest.h>

#include "plugin/elements/MLeadKeys.h"
#include "plugin/results/MMeasurementKey.h"

using plugin::MLeadKeys::Key;
using plugin::MLeadKeys::Parts;
using plugin::MLeadKeys::PreviousSubPosition;
using plugin::MLeadKeys::SubPositionNumber;

namespace {

TEST(LeadKeys, EveryFormOfTheKeyGrammarIsBuiltFromItsParts) {
  EXPECT_EQ(Key({2, "CF", "_AC", 0, "", ""}), "::2::CF_AC");
  EXPECT_EQ(Key({3, "B", "", 0, "", "7"}), "::7$3::B");
  EXPECT_EQ(Key({3, "B", "", 2, "", ""}), "::3::B#2");
  EXPECT_EQ(Key({3, "B", "", 2, "", "@1"}), "::@1$3::B#2");
  EXPECT_EQ(Key({3, "BF", "_DC", 12, "3", ""}), "::3::BF_DC#312");
  EXPECT_EQ(Key({12, "CF", "_TOT", 4, "12", "@2"}), "::@2$12::CF_TOT#124");
}

TEST(LeadKeys, EveryLeadReadingIsJudgedUnderItsClassAndSuffixAlone) {
  using plugin::MMeasurementKey::LimitKeyOf;
  EXPECT_EQ(LimitKeyOf(Key({12, "CF", "_TOT", 4, "12", "@2"})), "::CF_TOT");
  EXPECT_EQ(LimitKeyOf(Key({3, "B", "_AC", 0, "", "7"})), "::B_AC");
  EXPECT_EQ(LimitKeyOf(Key({1, "BF", "", 1, "1", "@1"})), "::BF");
}

TEST(LeadKeys, SubPositionsAreReadOnlyFromTheirMarker) {
  EXPECT_EQ(SubPositionNumber("::@12$3::B#31"), 12);
  EXPECT_EQ(SubPositionNumber("::@$3::B#31"), 0);
  EXPECT_EQ(SubPositionNumber("::7$3::B"), 0);
  EXPECT_EQ(SubPositionNumber("::3::B#2"), 0);
  EXPECT_EQ(SubPositionNumber(""), 0);
}

TEST(LeadKeys, AReadingGoesAfterTheSameLeadOfThePreviousSubPosition) {
  const std::vector<std::string> held = {"::@1$4::_", "::@1$4::CF#51", "::@1$5::CF#51",
                                         "::@1$4::CF#52", "::@2$4::CF#51"};
  // A member of a group (its own module id) follows the first member's reading of the lead.
  EXPECT_EQ(PreviousSubPosition("::@2$6::CF#52", held), "::@1$4::CF#52");
  // The last of several candidates is taken, so readings of one lead stay in order.
  EXPECT_EQ(PreviousSubPosition("::@2$6::CF#51", held), "::@1$5::CF#51");
  EXPECT_EQ(PreviousSubPosition("::@3$7::CF#51", held), "::@2$4::CF#51");
  // The first sub-position, a key without one, or nothing to follow: appended.
  EXPECT_EQ(PreviousSubPosition("::@1$4::CF#53", held), "");
  EXPECT_EQ(PreviousSubPosition("::4::CF", held), "");
  EXPECT_EQ(PreviousSubPosition("::@2$6::CF#59", held), "");
}

}  // namespace
