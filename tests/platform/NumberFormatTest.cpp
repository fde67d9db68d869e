#include <gtest/gtest.h>

#include <cmath>

#include "platform/ComError.h"
#include "platform/NumberFormat.h"
#include "support/GermanLocale.h"

using namespace platform;

TEST(NumberScanner, ReadsTheLeadingNumberOfAText) {
  const std::pair<const char*, double> cases[] = {
      {"12.5", 12.5}, {"7abc", 7}, {" -3e2x", -300}, {"+4", 4},           {".5", 0.5},
      {"2.", 2},      {"1e", 1},   {"5e+", 5},       {"1e999", HUGE_VAL}, {"-1e-999", 0}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(leadingNumber(text), expected) << text;
  for (const char* none : {"", "  ", "abc", "-", "+-5", ".", "e5", "nan", "inf"})
    EXPECT_FALSE(leadingNumber(none)) << none;
}

TEST(NumberScanner, WholeNumbersRoundOrTruncateAndNeverWrap) {
  EXPECT_EQ(roundToLong(12.5), 12);
  EXPECT_EQ(roundToLong(13.5), 14);
  EXPECT_EQ(truncateToLong(2.9), 2);
  EXPECT_EQ(truncateToLong(-2.9), -2);
  EXPECT_EQ(roundToInteger(-32768.4), -32768);
  for (double beyond : {2147483648.0, -2147483649.0, std::nan("")}) {
    EXPECT_THROW(roundToLong(beyond), ComError) << beyond;
    EXPECT_THROW(truncateToLong(beyond), ComError) << beyond;
  }
  EXPECT_THROW(roundToInteger(32767.5), ComError);
}

using NumberScannerUnderGermanLocale = GermanLocale;

TEST_F(NumberScannerUnderGermanLocale, ReadsAndWritesTheDecimalPoint) {
  EXPECT_EQ(leadingNumber("13.5"), 13.5);
  EXPECT_EQ(leadingNumber("13,5"), 13);  // a comma is not part of a stored number
  EXPECT_EQ(formatNumber(12.5), "12.5");
  EXPECT_EQ(formatNumber(0.1f), "0.1");
}
