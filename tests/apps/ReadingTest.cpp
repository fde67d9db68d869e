#include "apps/trxctl/Reading.h"

#include <gtest/gtest.h>

#include "driver/CTrxTestResult.h"
#include "support/TestHost.h"

using trxctl::Reading;

namespace {

TEST(ReadingFormat, KeepsEveryDigitTheAnalyzerSentWhateverThePattern) {
  // Leakage patterns show no decimals, but a CF limit is 10 uA: 10.4 must not read as 10.
  EXPECT_EQ(Reading::formatValue(3.5f, "# ##0"), "3.5");
  EXPECT_EQ(Reading::formatValue(10.4f, "# ##0"), "10.4");
  EXPECT_EQ(Reading::formatValue(0.4f, "# ##0"), "0.4");
  EXPECT_EQ(Reading::formatValue(2.25f, "# ##0.0"), "2.25");
  EXPECT_EQ(Reading::formatValue(1234.5f, "# ##0"), "1 234.5");
  EXPECT_EQ(Reading::formatValue(0.00001f, "0.0"), "0.00001");
}

TEST(ReadingFormat, StillShowsThePatternsOwnDigitsAndGrouping) {
  EXPECT_EQ(Reading::formatValue(0.1f, "# ##0.000"), "0.100");
  EXPECT_EQ(Reading::formatValue(1240.0f, "# ##0"), "1 240");
  EXPECT_EQ(Reading::formatValue(0.0f, "#0.0"), "0.0");
  EXPECT_EQ(Reading::formatValue(12345.6f, "##0.0"), "12345.6");
}

class ReadingOfResult : public ::testing::Test {
 protected:
  Reading readingOf(const char* reply, vti::ETrxTestCode code = vti::etcPatLeak,
                    const char* command = "READ") {
    result.SetResult(reply, vti::emt_ACDC, command);
    return Reading(code, result);
  }
  testing_host::TestHost host;
  vti::CTrxTestResult result;
};

TEST_F(ReadingOfResult, ANumberIsAMeasuredValueWithItsUnitAsPeopleWriteIt) {
  Reading reading = readingOf("3.5 uA");
  EXPECT_EQ(reading.kind(), Reading::Kind::Measured);
  EXPECT_EQ(reading.text("uA", "# ##0"), "3.5 \u00b5A");
  EXPECT_EQ(readingOf("1.24 mA").text("uA", "# ##0"), "1 240 \u00b5A");
  EXPECT_EQ(readingOf("0.106", vti::etcProtEarth).text("Ohm", "# ##0.000"), "0.106 \u03a9");
  EXPECT_EQ(readingOf("250", vti::etcIRMains).text("MOhm", "# ##0.0"), "250.0 M\u03a9");
}

TEST_F(ReadingOfResult, NoNumberFromTheAnalyzerIsNeverShownAsZero) {
  Reading noResistance = readingOf("!32", vti::etcProtEarth);
  EXPECT_EQ(noResistance.kind(), Reading::Kind::OverRange);
  EXPECT_EQ(noResistance.text("Ohm", "# ##0.000"), "OL: over range, no reading");
  Reading overflow = readingOf("!21");
  EXPECT_EQ(overflow.kind(), Reading::Kind::OverRange);
  EXPECT_EQ(overflow.text("uA", "# ##0"), "overflow: over range, no reading");
  Reading refused = readingOf("!40");
  EXPECT_EQ(refused.kind(), Reading::Kind::None);
  EXPECT_EQ(refused.text("uA", "# ##0"), "no reading");
}

TEST_F(ReadingOfResult, TheEcgTestPutsOutAWaveformAndReadsNothing) {
  result.SetState(vti::etsCompleted);
  Reading reading(vti::etcECGTest, result);
  EXPECT_EQ(reading.kind(), Reading::Kind::Waveform);
  EXPECT_EQ(reading.text("uA", "# ##0"), "waveform put out");
}

}  // namespace
