#include "plugin/results/MMeasurementKey.h"

#include <gtest/gtest.h>

using plugin::MMeasurementKey::LimitKeyOf;
using plugin::MMeasurementKey::ModuleNumberOf;

TEST(MeasurementKey, LimitKeyIsThePartFromTheLastModuleSeparatorUpToTheLead) {
  EXPECT_EQ(LimitKeyOf("::ST_AC"), "::ST_AC");
  EXPECT_EQ(LimitKeyOf("::BF"), "::BF");
  EXPECT_EQ(LimitKeyOf("::2::BF_AC#3"), "::BF_AC");
  EXPECT_EQ(LimitKeyOf("::12::CF_DCTOT#10"), "::CF_DCTOT");
  EXPECT_EQ(LimitKeyOf("::3::B_ACTOT"), "::B_ACTOT");
  EXPECT_EQ(LimitKeyOf("::BF#"), "::BF");
}

TEST(MeasurementKey, EveryMeasuringPointOfTheProtectiveEarthUsesTheLimitsOfST) {
  EXPECT_EQ(LimitKeyOf("::ST1"), "::ST");
  EXPECT_EQ(LimitKeyOf("::ST12"), "::ST");
  // Point 0 is no measuring point; the key is taken as it stands.
  EXPECT_EQ(LimitKeyOf("::ST0"), "::ST0");
}

TEST(MeasurementKey, KeyWithoutSeparatorHasNoLimitKeyUnlessAPointNumberFollows) {
  EXPECT_EQ(LimitKeyOf(""), "");
  EXPECT_EQ(LimitKeyOf("ST_AC"), "");
  EXPECT_EQ(LimitKeyOf("abcd7"), "::ST");
  EXPECT_EQ(LimitKeyOf("abcd-7"), "");
  EXPECT_EQ(LimitKeyOf("abc"), "");
}

TEST(MeasurementKey, ModuleNumberHasOneOrTwoDigits) {
  EXPECT_EQ(ModuleNumberOf("::3::B_AC#1"), 3);
  EXPECT_EQ(ModuleNumberOf("::12::BF#2"), 12);
  EXPECT_EQ(ModuleNumberOf("::ST_AC"), 0);
  EXPECT_EQ(ModuleNumberOf("::"), 0);
  EXPECT_EQ(ModuleNumberOf(""), 0);
  EXPECT_EQ(ModuleNumberOf("::7"), 7);
}
