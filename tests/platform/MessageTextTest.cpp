#include <gtest/gtest.h>

#include "platform/MessageText.h"

using namespace platform;

TEST(MessageText, SplitsTheIdFromTheDefaultTextOnlyForAMessageId) {
  auto pass = MessageText::parse("20351::Pass");
  EXPECT_EQ(pass.id, "20351");
  EXPECT_EQ(pass.text, "Pass");
  EXPECT_EQ(MessageText::parse("20206:: - done").text, " - done");
  auto comment = MessageText::parse("T1708::Comment");
  EXPECT_EQ(comment.id, "T1708");
  EXPECT_EQ(comment.text, "Comment");
  for (const char* plain :
       {"::Pass", "abc::Pass", "12a::x", "Pass", "1234567890::too long", "T 1::x",
        "\xc3\xa4"
        "1::umlaut"}) {
    auto parsed = MessageText::parse(plain);
    EXPECT_FALSE(parsed.id) << plain;
    EXPECT_EQ(parsed.text, plain);
  }
}

TEST(MessageText, FillsPlaceholdersFromAZeroBasedArrayAndKeepsTheRest) {
  Parameters params{Variant("ECG"), Variant(2.5), Variant(true)};
  EXPECT_EQ(fillPlaceholders("%%1 at %%2 V: %%3, %%1", params), "ECG at 2.5 V: True, ECG");
  EXPECT_EQ(fillPlaceholders("%%4 and %%0 and %% and %%", params), "%%4 and %%0 and %% and %%");
  EXPECT_EQ(fillPlaceholders("in %%1 seconds", {Variant(int32_t(10))}), "in 10 seconds");
  Parameters twelve(12, Variant("x"));
  twelve[11] = Variant("twelfth");
  EXPECT_EQ(fillPlaceholders("%%12", twelve), "twelfth");
}
