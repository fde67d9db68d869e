#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "platform/ComError.h"
#include "platform/Variant.h"
#include "support/ExpectError.h"
#include "support/GermanLocale.h"

using namespace platform;

TEST(Variant, NullIsAValueOfItsOwnThatNoNumberCanBeMadeOf) {
  Variant null = Variant::null();
  EXPECT_TRUE(null.isNull());
  EXPECT_FALSE(null.isEmpty());
  EXPECT_EQ(null.type(), VariantType::Null);
  EXPECT_EQ(null.toString(), "");
  EXPECT_EQ(null, Variant::null());
  EXPECT_NE(null, Variant());
  EXPECT_EQ(expectComError([] { Variant::null().toLong(); }).number(),
            RuntimeError::InvalidUseOfNull);
  EXPECT_EQ(expectComError([] { Variant::null().toBool(); }).number(),
            RuntimeError::InvalidUseOfNull);
}

TEST(Variant, SixteenBitIntegersConvertLikeTheOtherNumbers) {
  Variant small(int16_t{-7});
  EXPECT_EQ(small.type(), VariantType::Integer);
  EXPECT_TRUE(small.isNumeric());
  EXPECT_EQ(small.toLong(), -7);
  EXPECT_EQ(small.toDouble(), -7.0);
  EXPECT_EQ(small.toString(), "-7");
  EXPECT_EQ(Variant("12.5").toInteger(), 12);
  EXPECT_EQ(expectComError([] { Variant(int32_t{40000}).toInteger(); }).number(),
            RuntimeError::Overflow);
}

TEST(Variant, CountsOfAnyWidthAreTakenWithoutWrapping) {
  std::vector<int> items(3);
  Variant count(items.size());
  EXPECT_EQ(count.type(), VariantType::Long);
  EXPECT_EQ(count.toLong(), 3);
  EXPECT_EQ(Variant(-5L).toLong(), -5);
  EXPECT_EQ(Variant(7u).type(), VariantType::Long);
  Variant huge(size_t{5000000000});
  EXPECT_EQ(huge.type(), VariantType::Double);
  EXPECT_EQ(huge.toDouble(), 5e9);
  EXPECT_EQ(expectComError([] { Variant(size_t{5000000000}).toLong(); }).number(),
            RuntimeError::Overflow);
}

using VariantUnderGermanLocale = GermanLocale;

TEST_F(VariantUnderGermanLocale, TextsAndNumbersConvertWithTheDecimalPoint) {
  EXPECT_EQ(Variant("13.5").toDouble(), 13.5);
  EXPECT_EQ(Variant("13.5").toLong(), 14);
  EXPECT_EQ(Variant(2.5).toString(), "2.5");
  EXPECT_EQ(Variant(0.1f).toString(), "0.1");
}
