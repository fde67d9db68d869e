#include <gtest/gtest.h>

#include <cmath>

#include "host/HostLimit.h"
#include "host/HostLimitStandard.h"
#include "host/MNumberText.h"
#include "support/ExpectError.h"
#include "support/GermanLocale.h"

using host_api::LimitStatus::Failed;
using host_api::LimitStatus::Passed;
using platform::Variant;

namespace {

std::shared_ptr<host::HostLimit> limit(const std::string& key, const std::string& high,
                                       const std::string& low, const std::string& unit = "µA") {
  auto made = std::make_shared<host::HostLimit>();
  made->Initialize(key, unit, high, low);
  return made;
}

// IEC 62353 CF with a leakage limit of 10 µA and an insulation limit of at least 2 MΩ.
host::HostLimitStandard sampleStandard() {
  host::HostLimitStandard standard;
  standard.Initialize(4, "CF", 1);
  standard.AddLimit(limit("::CF_AC", "10", ""));
  standard.AddLimit(limit("::ST", "", "2", "MΩ"));
  return standard;
}

}  // namespace

TEST(HostLimitTest, EmptyTextsMeanNoLimitAndNumbersReadWithAPointInAnyLocale) {
  ScopedGermanLocale german;
  auto made = limit("::B", " 0.5 ", "");
  EXPECT_EQ(made->High_get(), 0.5f);
  EXPECT_EQ(made->Low_get(), std::nullopt);
  EXPECT_EQ(limit("::B", "+5", "-1e2")->Low_get(), -100.0f);
}

TEST(HostLimitTest, ATextThatIsNotANumberIsATypeMismatchAndChangesNothing) {
  auto made = limit("::B", "10", "1");
  for (const char* bad : {"10abc", "0,5", "abc", "1e39", "nan", "inf", "0x10"}) {
    auto error = expectComError([&] { made->Initialize("::X", "V", bad, ""); });
    EXPECT_EQ(error.number(), 13) << bad;
  }
  EXPECT_EQ(made->Key_get(), "::B");
  EXPECT_EQ(made->High_get(), 10.0f);
}

TEST(HostLimitTest, LimitTextsAreTheShortestThatReadBackToTheSameSingle) {
  for (float value : {0.1f, 10.0f, 0.3333333f, 123456.7f, -2.5f, 1e-7f}) {
    auto text = host::MNumberText::formatSingle(value);
    EXPECT_EQ(host::MNumberText::parseSingle(text), value) << text;
    EXPECT_EQ(text.find(','), std::string::npos);
  }
  EXPECT_EQ(host::MNumberText::formatSingle(0.1f), "0.1");
  EXPECT_EQ(host::MNumberText::formatSingle(std::nullopt), "");
}

TEST(HostLimitStandardTest, AReadingAboveAHighOrBelowALowLimitFailsAndOneEqualToItPasses) {
  auto standard = sampleStandard();
  EXPECT_EQ(standard.Evaluate("::CF_AC", Variant(10.0f)), Passed);
  EXPECT_EQ(standard.Evaluate("::CF_AC", Variant(10.01f)), Failed);
  EXPECT_EQ(standard.Evaluate("::CF_AC", Variant(-3.0)), Passed);
  EXPECT_EQ(standard.Evaluate("::ST", Variant(2.0f)), Passed);
  EXPECT_EQ(standard.Evaluate("::ST", Variant(1.99f)), Failed);
  EXPECT_EQ(standard.Evaluate("::ST", Variant(int32_t{500})), Passed);
  // A text reading of a number is judged like the number.
  EXPECT_EQ(standard.Evaluate("::CF_AC", Variant("9.5")), Passed);
  EXPECT_EQ(standard.Evaluate("::CF_AC", Variant("10.5")), Failed);
}

TEST(HostLimitStandardTest, OverRangeFailsEveryHighLimitAndPassesEveryLowLimit) {
  auto standard = sampleStandard();
  standard.AddLimit(limit("::BIG", "1000000", ""));
  for (const Variant& over : {Variant("OL"), Variant(" OL "), Variant(99999.0f),
                              Variant(int32_t{99999}), Variant("99999")}) {
    EXPECT_EQ(standard.Evaluate("::CF_AC", over), Failed) << over.toString();
    EXPECT_EQ(standard.Evaluate("::BIG", over), Failed) << over.toString();
    EXPECT_EQ(standard.Evaluate("::ST", over), Passed) << over.toString();
  }
}

TEST(HostLimitStandardTest, AReadingThatIsNoNumberFailsHighAndLowLimitsAlike) {
  auto standard = sampleStandard();
  for (const Variant& bad : {Variant("12abc"), Variant("ol"), Variant(""), Variant(),
                             Variant::null(), Variant(std::nan("")), Variant("Fail")}) {
    EXPECT_EQ(standard.Evaluate("::CF_AC", bad), Failed) << bad.toString();
    EXPECT_EQ(standard.Evaluate("::ST", bad), Failed) << bad.toString();
  }
}

TEST(HostLimitStandardTest, OnlyLimitsOfExactlyThatKeyWithAValueJudge) {
  auto standard = sampleStandard();
  standard.AddLimit(limit("::CF_AC", "5", ""));
  standard.AddLimit(limit("::EMPTY", "", ""));
  EXPECT_EQ(standard.Evaluate("::CF_AC", Variant(7.0f)), Failed);  // the second limit decides
  EXPECT_EQ(standard.Evaluate("::cf_ac", Variant(7.0f)), Passed);
  EXPECT_EQ(standard.Evaluate("::CF", Variant("garbage")), Passed);
  EXPECT_EQ(standard.Evaluate("::EMPTY", Variant("garbage")), Passed);
}

TEST(HostLimitStandardTest, NamesShowTheStandardAndTheClass) {
  host::HostLimitStandard standard;
  standard.Initialize(4, "CF", 1);
  EXPECT_EQ(standard.Name_get(), "IEC 62353 CF");
  standard.Initialize(1, "", 1);
  EXPECT_EQ(standard.Name_get(), "AAMI/NFPA-99");
  standard.Initialize(2, "B", 1);
  EXPECT_EQ(standard.Name_get(), "IEC 60601-1 B");
  standard.Initialize(77, "BF", 1);
  EXPECT_EQ(standard.Name_get(), "Standard 77 BF");
}

TEST(HostLimitStandardTest, ACopySharesNoLimitWithTheOriginal) {
  auto standard = sampleStandard();
  auto copy = standard.Copy();
  copy->Limits_get()->Item(1)->High_let(1.0f);
  copy->Limits_get()->Remove(2);
  EXPECT_EQ(standard.Limits_get()->Item(1)->High_get(), 10.0f);
  EXPECT_EQ(standard.Limits_get()->Count(), 2);
  EXPECT_EQ(copy->Name_get(), "IEC 62353 CF");
  EXPECT_EQ(copy->Flag_get(), 1);
}
