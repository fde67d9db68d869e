#include "plugin/results/CResultData.h"

#include <gtest/gtest.h>

#include "driver/TrxTypes.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/limits/MReportStandards.h"
#include "plugin/results/MResultReport.h"
#include "plugin/results/ResultsFakes.h"
#include "support/InstalledHost.h"

using namespace plugin;
using namespace results_test;
using host_api::ResultStatus::Failed;
using host_api::ResultStatus::Passed;
using platform::Variant;

namespace {

class ResultDataTest : public InstalledHost {
 protected:
  static std::shared_ptr<CMeasurement> reading(const std::string& key, const Variant& value,
                                               int32_t status = Passed) {
    auto m = std::make_shared<CMeasurement>();
    m->Init(key, "Lead " + key, vti::etcPatLeak, nullptr, {}, false);
    m->Value_let(value);
    m->Unit_let("uA");
    m->Status_let(status);
    return m;
  }
  std::vector<std::string> keys() const {
    std::vector<std::string> k;
    for (int32_t i = 1; i <= result.MeasurementCount_get(); ++i)
      k.push_back(result.Item(i)->Key_get());
    return k;
  }

  CResultData result;
};

}  // namespace

TEST_F(ResultDataTest, ReadingsGoAfterTheirKeyOrAtTheEnd) {
  result.AddMeasurement(reading("::1::B#1", Variant(1.0f)));
  result.AddMeasurement(reading("::1::B#3", Variant(1.0f)));
  result.AddMeasurement(reading("::1::B#2", Variant(1.0f)), "::1::B#1");
  result.AddMeasurement(reading("::1::B#4", Variant(1.0f)), "::9::none");
  EXPECT_EQ(keys(), (std::vector<std::string>{"::1::B#1", "::1::B#2", "::1::B#3", "::1::B#4"}));
  EXPECT_EQ(result.Measurement_get(Variant("::1::B#2")), result.Item(2));
  EXPECT_EQ(result.Measurement_get(Variant(5)), nullptr);
  EXPECT_EQ(result.Measurement_get(Variant("::absent")), nullptr);
}

TEST_F(ResultDataTest, ManyInsertsAtOnePlaceKeepTheirOrder) {
  result.AddMeasurement(reading("first", Variant(0)));
  result.AddMeasurement(reading("last", Variant(0)));
  std::string after = "first";
  for (int i = 0; i < 200; ++i) {  // far beyond the room between two neighbours
    const std::string key = "k" + std::to_string(i);
    result.AddMeasurement(reading(key, Variant(i)), after);
    after = key;
  }
  auto k = keys();
  ASSERT_EQ(k.size(), 202u);
  EXPECT_EQ(k[1], "k0");
  EXPECT_EQ(k[200], "k199");
  EXPECT_EQ(k[201], "last");
  EXPECT_EQ(result.MaxMeasurement()->Key_get(), "k199");
  EXPECT_EQ(result.MaxIndex_get(), 201);
  EXPECT_EQ(result.MinMeasurement()->Key_get(), "last");
  EXPECT_EQ(result.MinIndex_get(), 202);
}

TEST_F(ResultDataTest, GreaterReadingUnderAHeldKeyIsTakenOverWithItsVerdict) {
  result.AddMeasurement(reading("::B", Variant(5.0f)));
  auto greater = reading("::B", Variant(12.0f), Failed);
  greater->Flags_let("");
  greater->Unit_let("mA");
  result.AddMeasurement(greater);
  ASSERT_EQ(result.MeasurementCount_get(), 1);
  EXPECT_EQ(result.Item(1)->StoredValue(), Variant(12.0f));
  EXPECT_EQ(result.Item(1)->Status_get(), Failed);
  EXPECT_EQ(result.Item(1)->Unit_get(), "mA");
  EXPECT_EQ(result.Status_get(), Failed);

  // A smaller reading changes nothing, not even the status.
  CResultData other;
  other.AddMeasurement(reading("::B", Variant(5.0f)));
  other.AddMeasurement(reading("::B", Variant(1.0f), Failed));
  EXPECT_EQ(other.Item(1)->StoredValue(), Variant(5.0f));
  EXPECT_EQ(other.Status_get(), Passed);
}

TEST_F(ResultDataTest, OverRangeIsAboveEveryNumber) {
  result.AddMeasurement(reading("::ST", Variant(99999.0f)));
  result.AddMeasurement(reading("::ST", Variant("OL"), Failed));
  EXPECT_EQ(result.Item(1)->StoredValue(), Variant("OL"));
  result.AddMeasurement(reading("::ST", Variant(1e30f)));
  EXPECT_EQ(result.Item(1)->StoredValue(), Variant("OL"));
  result.AddMeasurement(reading("::ST2", Variant(-5.0f)));
  EXPECT_EQ(result.MaxIndex_get(), 1);
  EXPECT_EQ(result.MinIndex_get(), 2);
}

TEST_F(ResultDataTest, ExtremesOnTiesAreTheLaterEntryAndTextsCountAsZero) {
  EXPECT_EQ(result.MaxIndex_get(), 0);
  EXPECT_EQ(result.MaxMeasurement(), nullptr);
  result.AddMeasurement(reading("a", Variant(3.0f)));
  EXPECT_EQ(result.MaxIndex_get(), 1);
  EXPECT_EQ(result.MinIndex_get(), 1);
  result.AddMeasurement(reading("b", Variant(7.0f)));
  result.AddMeasurement(reading("c", Variant(7.0f)));
  result.AddMeasurement(reading("d", Variant("n/a")));
  result.AddMeasurement(reading("e", Variant(0.0)));
  EXPECT_EQ(result.MaxIndex_get(), 3);
  EXPECT_EQ(result.MinIndex_get(), 5);
  // An entry inserted before the tie does not move it; one inserted after does.
  result.AddMeasurement(reading("b2", Variant(7)), "b");
  EXPECT_EQ(result.MaxMeasurement()->Key_get(), "c");
  result.AddMeasurement(reading("c2", Variant(7.0)), "c");
  EXPECT_EQ(result.MaxMeasurement()->Key_get(), "c2");
  EXPECT_EQ(result.MaxIndex_get(), 5);
}

TEST_F(ResultDataTest, StatusRollsUpFromEachAddedReading) {
  result.Status_let(host_api::ResultStatus::NoVerdict);
  result.AddMeasurement(reading("a", Variant(1)));
  EXPECT_EQ(result.Status_get(), Passed);
  result.AddMeasurement(reading("b", Variant(1), Failed));
  result.AddMeasurement(reading("c", Variant(1)));
  EXPECT_EQ(result.Status_get(), Failed);
  result.Clear();
  EXPECT_EQ(result.Status_get(), 0);
  EXPECT_EQ(result.MeasurementCount_get(), 0);
}

TEST_F(ResultDataTest, NarrowReportKeepsTheTextColumnWide) {
  EXPECT_EQ(MResultReport::ColumnLayout(4000),
            "<560|<2240|>+-400|>+-400|>+-400|>+-400|>+!2240|<+560;");
  EXPECT_EQ(MResultReport::ColumnLayout(5599), "<560|<2240|>+0|>+0|>+0|>+0|>+!2240|<+560;");
  EXPECT_EQ(MResultReport::ColumnLayout(9603),
            "<560|<2240|>+1000|>+1000|>+1000|>+1000|>+!2243|<+560;");
  const auto extreme = MResultReport::ColumnWidthsFor(INT32_MIN);
  EXPECT_EQ(extreme.r, 2240);
}

TEST_F(ResultDataTest, ReportTableWithoutResultUnitHasAnEmptyUnitTitle) {
  MReportStandards::Override standards;
  RecordingReport report;
  report.width = 4000;
  result.AddMeasurement(reading("::B", Variant(2.0f)));
  result.PrintReport(&report, nullptr);
  ASSERT_EQ(report.tables.size(), 1u);
  EXPECT_EQ(report.settings, (std::vector<int32_t>{7, 0, 1}));
  EXPECT_EQ(report.tables[0].header, "|{\\i\\b Result:}|{\\i\\b Value}|{\\i\\b };");
  EXPECT_EQ(report.tables[0].body, "|      Lead ::B|2.0|uA;");

  result.ResultUnit_let("uA");
  report.options = host_api::ReportOption::LimitColumns;
  result.PrintReport(&report, nullptr);
  EXPECT_EQ(report.tables[1].header,
            "|{\\i\\b Result:}|{\\i\\b Value}|{\\i\\b Unit}|{\\i\\b High limit}"
            "|{\\i\\b Low limit}|{\\i\\b Standard};");
}

TEST_F(ResultDataTest, NothingIsPrintedIntoOtherReportsOrWithoutRows) {
  RecordingReport report;
  report.kind = 2;
  result.AddMeasurement(reading("::B", Variant(2.0f)));
  result.PrintReport(&report, nullptr);
  result.PrintReport(nullptr, nullptr);
  report.kind = host_api::ResultReportKind;
  report.options = host_api::ReportOption::FailedOnly;
  result.PrintReport(&report, nullptr);
  EXPECT_TRUE(report.tables.empty());
  EXPECT_TRUE(report.settings.empty());
}
