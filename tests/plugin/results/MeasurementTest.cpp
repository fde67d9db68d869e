#include "plugin/results/CMeasurement.h"

#include <gtest/gtest.h>

#include "driver/TrxTypes.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/limits/MReportStandards.h"
#include "plugin/results/ResultsFakes.h"
#include "support/ExpectError.h"
#include "support/InstalledHost.h"

using namespace plugin;
using namespace results_test;
using platform::Variant;

namespace {

class MeasurementTest : public InstalledHost {
 protected:
  // A leakage reading of `value` mA under `key`.
  static std::shared_ptr<CMeasurement> reading(const std::string& key, const Variant& value,
                                               const std::string& description = "Earth") {
    auto m = std::make_shared<CMeasurement>();
    m->Init(key, description, vti::etcEarthLeak, nullptr, {}, false);
    m->Value_let(value);
    m->Unit_let("mA");
    return m;
  }

  MReportStandards::Override reportStandards;
  RecordingReport report;
};

}  // namespace

TEST_F(MeasurementTest, OverflowFlagsSetTheOverflowValueAndOneTooltipTextEach) {
  auto m = reading("::ST_AC", Variant(0.2f));
  EXPECT_EQ(m->ToolTipText_get(), "");
  m->Flags_let("OO");
  EXPECT_EQ(m->Value_get(), Variant(99999.0f));
  EXPECT_EQ(m->ToolTipText_get(), "Measurement overflow. Measurement overflow.");
}

TEST_F(MeasurementTest, TestCodeGivesTheKindAndFormatOfTheReading) {
  CMeasurement m;
  m.Init("::ST", "PE", vti::etcProtEarth, nullptr, "OL", false);
  EXPECT_EQ(m.ValueType_get(), host_api::ValueKind::Text);
  EXPECT_EQ(m.ValueFormat_get(), "0.000");
  m.Init("::ST", "PE", vti::etcPPRes, nullptr, "0.123", false);
  EXPECT_EQ(m.ValueType_get(), host_api::ValueKind::Numeric);
  m.Init("::ST", "ECG", vti::etcECGTest, nullptr, {}, false);
  EXPECT_EQ(m.ValueType_get(), host_api::ValueKind::PassFail);
  EXPECT_EQ(m.ValueFormat_get(), "");
  m.Init("::B", "Placeholder", vti::etcEarthLeak, nullptr, {}, true);
  EXPECT_EQ(m.ValueType_get(), host_api::ValueKind::Text);
  EXPECT_EQ(m.ValueFormat_get(), "##0.0");

  auto source = reading("::2::BF_AC#1", Variant(1.5f));
  source->Flags_let("O");
  m.Init("::ST", "Group", 0, source.get(), {}, false);
  EXPECT_EQ(m.Key_get(), "::ST");
  EXPECT_EQ(m.StoredValue(), Variant(99999.0f));
  EXPECT_EQ(m.Unit_get(), "mA");
  EXPECT_EQ(m.Flags_get(), "O");
  EXPECT_EQ(m.ValueFormat_get(), "##0.0");
}

TEST_F(MeasurementTest, PassFailReadingStoredAsFalseShowsFailInValueAndReport) {
  CMeasurement m;
  m.Init("::ST", "ECG", vti::etcECGTest, nullptr, {}, false);
  m.Value_let(Variant(false));
  EXPECT_EQ(m.Value_get(), Variant("Fail"));
  EXPECT_EQ(m.ReportText(report), "|      ECG|Fail|;");
  m.Value_let(Variant(true));
  EXPECT_EQ(m.Value_get(), Variant("Pass"));
}

TEST_F(MeasurementTest, OverRangeAndOverflowFailAHighLimitAndPassTheLowOne) {
  JudgingLimitData limits;
  auto selected = makeStandards({makeStandard(1, "", {{"::ST", "Ohm", "0.3", ""}}),
                                 makeStandard(2, "", {{"::ST", "Ohm", "", "0.1"}})});
  CMeasurement m;
  m.Init("::ST", "PE", vti::etcProtEarth, nullptr, "OL", false);
  m.Value_let(Variant("OL"));
  m.Evaluate(&limits, selected.get());
  EXPECT_EQ(m.Status_get(), host_api::ResultStatus::Failed);
  EXPECT_EQ(m.FailedLimitSet_get(), selected->Item(1)->Name_get());

  m.Init("::ST", "PE", vti::etcProtEarth, nullptr, "", false);
  m.Value_let(Variant(0.05f));
  m.Flags_let("O");
  m.Evaluate(&limits, selected.get());
  EXPECT_EQ(m.Status_get(), host_api::ResultStatus::Failed);

  m.Flags_let("");
  m.Value_let(Variant(0.2f));
  m.Evaluate(&limits, selected.get());
  EXPECT_EQ(m.Status_get(), host_api::ResultStatus::Passed);
  EXPECT_EQ(m.FailedLimitSet_get(), "");
}

TEST_F(MeasurementTest, ReportRowHoldsDescriptionFormattedValueAndUnit) {
  auto m = reading("::B_AC", Variant(0.25f), "Earth | 1; {N}");
  EXPECT_EQ(m->ReportText(report), "|      Earth   1, (N)|0.3|mA;");
  report.options = host_api::ReportOption::FailedOnly;
  EXPECT_EQ(m->ReportText(report), "");
  m->Status_let(host_api::ResultStatus::Failed);
  EXPECT_EQ(m->ReportText(report), "|      Earth   1, (N)|0.3|mA;");
}

TEST_F(MeasurementTest, LimitColumnsFollowEachLimitSetThatDefinesTheReading) {
  report.options = host_api::ReportOption::LimitColumns;
  auto m = reading("::2::BF_AC#1", Variant(12.0f));
  auto other = makeStandard(1, "B", {{"::B_AC", "mA", "0.5", ""}});
  auto first =
      makeStandard(4, "BF", {{"::BF_AC", "mA", "0.5", "0.01"}, {"::BF_AC", "mA", "0.1", ""}});
  auto second = makeStandard(2, "BF", {{"::BF_AC", "%", "50", ""}});
  MReportStandards::Fill(makeStandards({other, first, second}).get());

  const std::string expected =
      "|      Earth|12.0|mA|||;"
      "||||0.1|0.01|" +
      first->Name_get() +
      ";"
      "||||50||" +
      second->Name_get() + ";";
  EXPECT_EQ(m->ReportText(report), expected);

  // Without a standard list there are no limit columns at all.
  MReportStandards::Reset();
  EXPECT_EQ(m->ReportText(report), "|      Earth|12.0|mA;");
}

TEST_F(MeasurementTest, PercentLimitShowsThePercentUnitInTheFullRow) {
  report.options = host_api::ReportOption::LimitColumns;
  auto m = reading("::CF", Variant(3.0f));
  MReportStandards::Fill(
      makeStandards({makeStandard(2, "CF", {{"::CF", "% of mains", "5", ""}})}).get());
  EXPECT_EQ(m->ReportText(report),
            "|      Earth|3.0|%|5||" + MReportStandards::Standards()[0]->Name_get() + ";");
}

namespace {

class MeasurementXmlTest : public MeasurementTest {
 protected:
  void SetUp() override {
    MeasurementTest::SetUp();
    doc = host_api::hostServices().xml->createDocument();
    owner = doc->createElement("Owner");
    doc->setDocumentElement(owner);
  }

  std::shared_ptr<host_api::IXmlElement> parse(const std::string& xml) {
    return host_api::hostServices().xml->loadDocumentFromString(xml)->documentElement();
  }
  std::shared_ptr<host_api::IXmlDocument> doc;
  std::shared_ptr<host_api::IXmlElement> owner;
};

}  // namespace

TEST_F(MeasurementXmlTest, SavedReadingLoadsBackEqualWithMarkupAndNonAsciiTexts) {
  auto m = reading("::1::CF_AC#2", Variant(0.125f), "     RA | <LL> & {V1}; \u00b5A \u03a9");
  m->Unit_let("\u00b5A; <&>");
  m->Flags_let("O");
  m->Status_let(host_api::ResultStatus::Failed);
  auto saved = m->Save(*owner);
  ASSERT_TRUE(saved);

  CMeasurement loaded;
  loaded.Load(*parse(doc->toString())->child(0), nullptr);
  EXPECT_EQ(loaded.Key_get(), m->Key_get());
  EXPECT_EQ(loaded.Description_get(), m->Description_get());
  EXPECT_EQ(loaded.StoredValue(), m->StoredValue());
  EXPECT_EQ(loaded.ValueType_get(), m->ValueType_get());
  EXPECT_EQ(loaded.ValueFormat_get(), m->ValueFormat_get());
  EXPECT_EQ(loaded.Unit_get(), m->Unit_get());
  EXPECT_EQ(loaded.Flags_get(), "O");
  EXPECT_EQ(loaded.Status_get(), host_api::ResultStatus::Failed);
}

TEST_F(MeasurementXmlTest, LeadReadingIsIndentedOnceHoweverOftenItIsStored) {
  auto element =
      parse(R"(<Measurement Key="::1::B#1"><Description>RA</Description></Measurement>)");
  CMeasurement m;
  m.Load(*element, nullptr);
  EXPECT_EQ(m.Description_get(), "     RA");
  CMeasurement again;
  again.Load(*m.Save(*owner), nullptr);
  EXPECT_EQ(again.Description_get(), "     RA");
}

TEST_F(MeasurementXmlTest, ElementWithoutKeyOrOfAnotherNameIsRefused) {
  CMeasurement m;
  for (const char* xml : {R"(<Measurement><Description>x</Description></Measurement>)",
                          R"(<Measurement Key=""/>)", R"(<Reading Key="::ST"/>)"}) {
    auto error = expectComError([&] { m.Load(*parse(xml), nullptr); });
    EXPECT_EQ(error.number(), MPlugInErrors::errMeasurementLoad) << xml;
  }
}

TEST_F(MeasurementXmlTest, UnreadableChildIsReportedAndWhatWasReadBeforeStays) {
  auto element = parse(
      R"(<Measurement Key="::ST" Flags="O"><Extra a="1"/><Description>PE</Description>)"
      R"(<Value type="4" ValueType="x7" Format="0.0%">1.5</Value><Status type="3">abc</Status>)"
      R"(<Unit>Ohm</Unit></Measurement>)");
  CMeasurement m;
  m.Load(*element, nullptr);
  ASSERT_EQ(reported().size(), 1u);
  EXPECT_EQ(m.Description_get(), "PE");
  EXPECT_EQ(m.Flags_get(), "O");
  EXPECT_EQ(m.StoredValue(), Variant(1.5f));
  // A kind or format that makes no sense is not taken over: the value shows plainly.
  EXPECT_EQ(m.ValueType_get(), host_api::ValueKind::Numeric);
  EXPECT_EQ(m.ValueFormat_get(), "");
  EXPECT_EQ(m.Unit_get(), "");
}
