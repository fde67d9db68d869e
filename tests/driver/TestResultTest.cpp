#include <gtest/gtest.h>

#include "driver/CTrxTestResult.h"
#include "support/TestHost.h"

using namespace vti;

namespace {

CTrxTestResult resultOf(const char* reply, EMeasType measured = emt_ACDC,
                        const char* command = "MREAD") {
  CTrxTestResult result;
  result.SetResult(reply, measured, command);
  return result;
}

}  // namespace

TEST(CTrxTestResult, ReadingsAreMicroamperesWithoutSign) {
  testing_host::TestHost host;
  auto result = resultOf("0.123 mA\r\n", emt_AC);
  EXPECT_EQ(result.State_get(), etsCompleted);
  EXPECT_FLOAT_EQ(result.Value_get(), 123.0f);
  EXPECT_EQ(result.UnitSuffix_get(), "AC");
  EXPECT_EQ(result.ValueUnknown_get(), "");
  EXPECT_EQ(host.application().calls.back().text, "21100::AC");

  result = resultOf("-5.0", emt_DC, "READ");
  EXPECT_EQ(result.State_get(), etsCompleted);
  EXPECT_FLOAT_EQ(result.Value_get(), 5.0f);
  EXPECT_EQ(result.UnitSuffix_get(), "DC");

  EXPECT_FLOAT_EQ(resultOf("1 234 uA\r\n").Value_get(), 1234.0f);
  EXPECT_FLOAT_EQ(resultOf("230.1 V").Value_get(), 230.1f);
  EXPECT_EQ(resultOf("230.1 V").UnitSuffix_get(), "");
}

TEST(CTrxTestResult, OverflowAndMissingResistanceReading) {
  testing_host::TestHost host;
  auto result = resultOf("!21\r\n", emt_AC);
  EXPECT_EQ(result.State_get(), etsOverflow);
  EXPECT_EQ(result.Value_get(), 0.0f);
  EXPECT_EQ(result.UnitSuffix_get(), "");

  // Zeroing without a lead connected is an overflow the element shows as such.
  result = resultOf("!32\r\n", emt_ACDC, "ZERO");
  EXPECT_EQ(result.State_get(), etsOverflow);
  EXPECT_EQ(result.ValueUnknown_get(), "OL");
  EXPECT_EQ(result.Value_get(), 0.0f);

  // A measurement the operator let pass without a resistance reading is complete, shown as OL.
  result = resultOf("!32\r\n", emt_ACDC, "MREAD");
  EXPECT_EQ(result.State_get(), etsCompleted);
  EXPECT_EQ(result.ValueUnknown_get(), "OL");
  EXPECT_EQ(result.Value_get(), 0.0f);
}

// Nothing that is not a reading may come out as a value a technician could take for one.
TEST(CTrxTestResult, RepliesThatAreNoReadingGiveNoValue) {
  testing_host::TestHost host;
  for (const char* reply : {"", "\r\n", "!22\r\n", "!33\r\n", "!x", "*\r\n", "abc", "1.2.3 uA",
                            "..", "99999999999999999999999999999999999999999999 uA"}) {
    auto result = resultOf(reply, emt_AC);
    EXPECT_EQ(result.State_get(), etsNotPerformed) << reply;
    EXPECT_EQ(result.Value_get(), 0.0f) << reply;
    EXPECT_EQ(result.ValueUnknown_get(), "") << reply;
  }
}

TEST(CTrxTestResult, ANewReplyLeavesNothingOfTheLastOne) {
  testing_host::TestHost host;
  CTrxTestResult result;
  result.SetResult("!32", emt_AC, "MREAD");
  result.SetResult("12 uA", emt_ACDC, "MREAD");
  EXPECT_EQ(result.ValueUnknown_get(), "");
  EXPECT_EQ(result.UnitSuffix_get(), "");
  EXPECT_FLOAT_EQ(result.Value_get(), 12.0f);
  result.SetResult("!22", emt_ACDC, "MREAD");
  EXPECT_EQ(result.State_get(), etsNotPerformed);
  EXPECT_EQ(result.Value_get(), 0.0f);

  result.SetState(etsCompleted);
  EXPECT_EQ(result.State_get(), etsCompleted);
}
