#include <gtest/gtest.h>

#include "platform/ComError.h"
#include "platform/NumberFormat.h"
#include "platform/Variant.h"

using namespace platform;

TEST(NumberFormat, TextsReadBackToTheSameNumber) {
  EXPECT_EQ(formatNumber(int32_t(-3)), "-3");
  EXPECT_EQ(formatNumber(0.1), "0.1");
  EXPECT_EQ(formatNumber(-0.0), "0");
  EXPECT_EQ(formatNumber(0.1f), "0.1");
  EXPECT_EQ(formatNumber(1234567.0), "1234567");
  EXPECT_EQ(leadingNumber("7abc"), 7);
  EXPECT_EQ(leadingNumber("  -12.5e1V"), -125);
  EXPECT_EQ(leadingNumber("3e"), 3);
  EXPECT_EQ(leadingNumber("."), std::nullopt);
  EXPECT_EQ(leadingNumber(""), std::nullopt);
  EXPECT_EQ(roundToLong(12.5), 12);
  EXPECT_EQ(roundToLong(13.5), 14);
  EXPECT_EQ(roundToLong(-0.5), 0);
  EXPECT_THROW(roundToLong(3e9), ComError);
}

TEST(Variant, ConvertsLooselyAndRefusesWhatCannotConvert) {
  EXPECT_EQ(Variant("12.5 mA").toLong(), 12);
  EXPECT_EQ(Variant(true).toLong(), -1);
  EXPECT_EQ(Variant("True").toDouble(), -1);
  EXPECT_TRUE(Variant("true").toBool());
  EXPECT_FALSE(Variant(0.0).toBool());
  EXPECT_EQ(Variant(2.5f).toString(), "2.5");
  EXPECT_EQ(Variant().toString(), "");
  EXPECT_EQ(Variant(int32_t(3)).type(), VariantType::Long);
  EXPECT_FALSE(Variant(int32_t(1)) == Variant(1.0));
  try {
    Variant("abc").toDouble();
    ADD_FAILURE() << "text without a number converted";
  } catch (const ComError& error) {
    EXPECT_EQ(error.number(), RuntimeError::TypeMismatch);
  }
  EXPECT_THROW(Variant(std::make_shared<Object>()).toString(), ComError);
  EXPECT_THROW(Variant("x").toObject(), ComError);
}
