#include "plugin/core/CPropertyTable.h"

#include <gtest/gtest.h>

#include "host_api/IProperties.h"
#include "support/ExpectError.h"

using namespace plugin;
namespace PropertyError = host_api::PropertyError;

namespace {
// A table over plain values: what no configuration shows on its own.
class CPropertyTableTest : public ::testing::Test {
 protected:
  CPropertyTableTest() {
    table.AddInteger(
        "Offset", CPropertyTable::NoMinimum, CPropertyTable::NoMaximum, [this] { return offset; },
        [this](int32_t value) { offset = value; });
    table.AddText(
        "Label", "up to three letters", [this] { return label; },
        [this](const std::string& text) -> CPropertyTable::Refusal {
          if (text.size() > 3) return "it has " + std::to_string(text.size()) + " letters";
          label = text;
          return {};
        });
  }

  int32_t offset = 0;
  std::string label = "abc";
  CPropertyTable table{"orvelTRX440.Sample"};
};
}  // namespace

TEST_F(CPropertyTableTest, ANumberWithoutARangeSaysSoAndTakesEveryThirtyTwoBitValue) {
  EXPECT_EQ(table.Range("Offset"), "any whole number (no fixed range)");
  table.LetText("Offset", "+2147483647");
  EXPECT_EQ(offset, 2147483647);
  table.LetText("Offset", "-2147483648");
  EXPECT_EQ(offset, -2147483648);
  auto error = expectComError([&] { table.LetText("Offset", "2147483648"); });
  EXPECT_EQ(error.number(), PropertyError::InvalidValue);
  EXPECT_EQ(error.description(),
            "Offset cannot be \"2147483648\": allowed are any whole number (no fixed range)");
  EXPECT_EQ(expectComError([&] { table.Let("Offset", platform::Variant(5e9)); }).number(),
            PropertyError::InvalidValue);
  EXPECT_EQ(offset, -2147483648);
}

TEST_F(CPropertyTableTest, ATextFormatRefusesWithItsOwnReasonAndTakesOnlyTexts) {
  auto error = expectComError([&] { table.LetText("label", "abcd"); });
  EXPECT_EQ(error.number(), PropertyError::InvalidValue);
  EXPECT_EQ(error.source(), "orvelTRX440.Sample");
  EXPECT_EQ(error.description(), "Label cannot be \"abcd\": it has 4 letters");
  EXPECT_EQ(expectComError([&] { table.Let("Label", platform::Variant(int32_t{7})); }).number(),
            PropertyError::TypeMismatch);
  table.Let("Label", platform::Variant("xy"));
  EXPECT_EQ(table.Get("Label"), platform::Variant("xy"));
}

TEST_F(CPropertyTableTest, ARestrictionIsAskedOnlyAboutValuesThatPassedTheKindsChecks) {
  int asked = 0;
  table.Restrict("Offset", [&](const platform::Variant& value) -> CPropertyTable::Refusal {
    ++asked;
    return value.toLong() < 0 ? "an offset is never negative here" : "";
  });
  EXPECT_EQ(expectComError([&] { table.LetText("Offset", "x"); }).number(),
            PropertyError::TypeMismatch);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(expectComError([&] { table.LetText("Offset", "-1"); }).description(),
            "Offset cannot be \"-1\": an offset is never negative here");
  table.LetText("Offset", "4");
  EXPECT_EQ(offset, 4);
  EXPECT_EQ(asked, 2);
}
