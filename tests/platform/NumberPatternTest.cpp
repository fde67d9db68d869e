#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/ComError.h"
#include "platform/NumberPattern.h"
#include "support/GermanLocale.h"

using platform::Format;

TEST(NumberPattern, RequiredAndOptionalDigitsShapeTheText) {
  EXPECT_EQ(Format(12.5, "##0.0"), "12.5");
  EXPECT_EQ(Format(0.5, "##0.0"), "0.5");
  EXPECT_EQ(Format(3.0, "0.000"), "3.000");
  EXPECT_EQ(Format(7.0, "000"), "007");
  EXPECT_EQ(Format(3.0, "0.##"), "3");
  EXPECT_EQ(Format(3.1, "0.0#"), "3.1");
  EXPECT_EQ(Format(0.25, "#.##"), ".25");
  EXPECT_EQ(Format(0.0, "#"), "0");  // never an empty reading
  EXPECT_EQ(Format(12.5, ""), "12.5");
}

TEST(NumberPattern, HalvesRoundAwayFromZeroOnTheDecimalValue) {
  EXPECT_EQ(Format(2.25, "0.0"), "2.3");
  EXPECT_EQ(Format(-2.25, "0.0"), "-2.3");
  EXPECT_EQ(Format(0.0005, "0.000"), "0.001");
  EXPECT_EQ(Format(1.005, "0.00"), "1.01");  // the binary neighbour lies below the half
  EXPECT_EQ(Format(2.5, "0"), "3");
  EXPECT_EQ(Format(2.4999, "0"), "2");
  EXPECT_EQ(Format(9.96, "0.0"), "10.0");
  EXPECT_EQ(Format(999.95, "##0.0"), "1000.0");
  EXPECT_EQ(Format(0.15f, "0.0"), "0.2");  // a float from its own decimal text
  EXPECT_EQ(Format(0.0004, "0.000"), "0.000");
}

TEST(NumberPattern, ZeroNaNInfinityAndWideValuesHaveOneFormEach) {
  EXPECT_EQ(Format(-0.0, "0.0"), "0.0");
  EXPECT_EQ(Format(-0.04, "0.0"), "0.0");
  EXPECT_EQ(Format(std::nan(""), "0.0"), "NaN");
  EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "0.0"), "Infinity");
  EXPECT_EQ(Format(-std::numeric_limits<float>::infinity(), "0"), "-Infinity");
  EXPECT_EQ(Format(12345.6, "##0.0"), "12345.6");
  EXPECT_EQ(Format(1e20, "0"), "100000000000000000000");
}

TEST(NumberPattern, ABlankOrCommaBetweenIntegerDigitsGroupsThem) {
  EXPECT_EQ(Format(1234.56, "# ##0.0"), "1 234.6");
  EXPECT_EQ(Format(1234567.0, "# ##0"), "1 234 567");
  EXPECT_EQ(Format(-1234.0, "#,##0"), "-1,234");
  EXPECT_EQ(Format(12.5, "# ##0.000"), "12.500");
}

TEST(NumberPattern, AnUnknownPatternIsRefusedRatherThanGuessed) {
  for (const char* pattern : {"0.0 V", "0.0.0", "0%", "##0,0.0a"}) {
    try {
      Format(1.0, pattern);
      ADD_FAILURE() << pattern;
    } catch (const platform::ComError& error) {
      EXPECT_EQ(error.number(), platform::RuntimeError::InvalidProcedureCall) << pattern;
    }
  }
}

using NumberPatternUnderGermanLocale = GermanLocale;

TEST_F(NumberPatternUnderGermanLocale, StillWritesADecimalPoint) {
  EXPECT_EQ(Format(12.5, "##0.0"), "12.5");
  EXPECT_EQ(Format(1234.5f, "# ##0.0"), "1 234.5");
  EXPECT_EQ(Format(0.1, ""), "0.1");
}
