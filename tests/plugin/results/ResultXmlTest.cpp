#include <gtest/gtest.h>

#include "driver/TrxTypes.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/results/CResultData.h"
#include "plugin/results/CResultTestGroup.h"
#include "plugin/results/ResultsFakes.h"
#include "support/ExpectError.h"
#include "support/InstalledHost.h"

using namespace plugin;
using platform::Variant;

namespace {

class ResultXmlTest : public InstalledHost {
 protected:
  std::shared_ptr<host_api::IXmlElement> parse(const std::string& xml) {
    return host_api::hostServices().xml->loadDocumentFromString(xml)->documentElement();
  }
  // The text of `result` saved into a document of its own.
  template <typename Result>
  std::string saved(const Result& result) {
    auto doc = host_api::hostServices().xml->createDocument();
    doc->setDocumentElement(doc->createElement("TestElement"));
    EXPECT_TRUE(result.Save(*doc->documentElement()));
    return doc->toString();
  }

  struct Log : host_api::ILoadLog {
    void Write(const std::string& message) override { lines.push_back(message); }
    std::vector<std::string> lines;
  } log;
};

// Every reading of a multi test over five modules of five leads, with the texts operators and
// instruments put into them.
CResultData templateSized() {
  CResultData result;
  const char* texts[] = {"RA | LL; {V1}", "<LA> & \"RL\"", "\u00b5A \u03a9 \u00e4\u00f6\u00fc",
                         "  "};
  for (int module = 1; module <= 5; ++module) {
    for (int lead = 1; lead <= 5; ++lead) {
      for (const char* suffix : {"_AC", "_DC", "_ACTOT"}) {
        auto m = std::make_shared<CMeasurement>();
        const std::string key =
            "::" + std::to_string(module) + "::CF" + suffix + "#" + std::to_string(lead);
        m->Init(key, std::string("     ") + texts[(module + lead) % 4], vti::etcPatLeak, nullptr,
                {}, false);
        m->Value_let(Variant(static_cast<float>(module * 10 + lead) / 7.0f));
        m->Unit_let(lead == 3 ? "\u00b5A" : "uA");
        if (lead == 4) m->Flags_let("OO");
        m->Status_let(lead == 2 ? 2 : 1);
        result.AddMeasurement(m);
      }
    }
  }
  auto pe = std::make_shared<CMeasurement>();
  pe->Init("::ST", "PE", vti::etcProtEarth, nullptr, "OL", false);
  pe->Value_let(Variant("OL"));
  result.AddMeasurement(pe, "::1::CF_AC#1");
  result.Comment_let("Checked by <A&B>; {ok} | \u00e9");
  result.MTIID_let(40127);
  result.Status_let(2);
  return result;
}

void expectEqual(const CMeasurement& a, const CMeasurement& b) {
  EXPECT_EQ(a.Key_get(), b.Key_get());
  EXPECT_EQ(a.Description_get(), b.Description_get());
  EXPECT_EQ(a.StoredValue(), b.StoredValue());
  EXPECT_EQ(a.ValueType_get(), b.ValueType_get());
  EXPECT_EQ(a.ValueFormat_get(), b.ValueFormat_get());
  EXPECT_EQ(a.Unit_get(), b.Unit_get());
  EXPECT_EQ(a.Flags_get(), b.Flags_get());
  EXPECT_EQ(a.Status_get(), b.Status_get());
}

}  // namespace

TEST_F(ResultXmlTest, TemplateSizedResultLoadsBackEqual) {
  const CResultData original = templateSized();
  CResultData loaded;
  loaded.Load(*parse(saved(original))->child(0), &log);
  EXPECT_TRUE(reported().empty());
  EXPECT_EQ(loaded.Comment_get(), original.Comment_get());
  EXPECT_EQ(loaded.MTIID_get(), 40127);
  EXPECT_EQ(loaded.Status_get(), 2);
  ASSERT_EQ(loaded.MeasurementCount_get(), original.MeasurementCount_get());
  for (int32_t i = 1; i <= original.MeasurementCount_get(); ++i) {
    expectEqual(*loaded.Item(i), *original.Item(i));
  }
  EXPECT_EQ(loaded.MaxIndex_get(), original.MaxIndex_get());
  EXPECT_EQ(loaded.MinIndex_get(), original.MinIndex_get());
  // Saving what was loaded gives the same text again.
  EXPECT_EQ(saved(loaded), saved(original));
}

TEST_F(ResultXmlTest, UnreadableReadingsAreSkippedAndTheOthersLoad) {
  CResultData result;
  result.Load(*parse(R"(<ResultItem MTI="1e40"><Comment>c</Comment>)"
                     R"(<Measurement Key="::A"><Value type="4">1</Value></Measurement>)"
                     R"(<Measurement><Value type="4">7</Value></Measurement>)"
                     R"(<Unknown/><Measurement Key="::A"><Value type="4">9</Value></Measurement>)"
                     R"(<Measurement Key="::B"><Value type="4">2</Value></Measurement>)"
                     R"(<Status type="3">1</Status></ResultItem>)"),
              &log);
  ASSERT_EQ(reported().size(), 1u);
  EXPECT_EQ(reported()[0].number(), MPlugInErrors::errMeasurementLoad);
  EXPECT_EQ(result.MeasurementCount_get(), 2);
  EXPECT_EQ(result.Item("::A")->StoredValue(), Variant(1.0f));
  EXPECT_EQ(result.MTIID_get(), 0);
  EXPECT_EQ(result.Status_get(), 1);
  EXPECT_EQ(result.Comment_get(), "c");
  EXPECT_EQ(log.lines.size(), 2u);  // the identifier out of range, the key stored twice
  EXPECT_EQ(result.MaxMeasurement()->Key_get(), "::B");
}

TEST_F(ResultXmlTest, ElementOfAnotherNameIsReportedAndStillRead) {
  CResultData result;
  result.Load(*parse(R"(<Result MTI="12abc"><Comment>kept</Comment></Result>)"), nullptr);
  ASSERT_EQ(reported().size(), 1u);
  EXPECT_EQ(static_cast<uint32_t>(reported()[0].number()), 0x8004A3EBu);
  EXPECT_EQ(result.Comment_get(), "kept");
  EXPECT_EQ(result.MTIID_get(), 12);
}

TEST_F(ResultXmlTest, BrokenStatusEndsTheLoadWithWhatWasReadBefore) {
  CResultData result;
  result.Load(
      *parse(R"(<ResultItem><Measurement Key="::A"><Value type="4">1</Value></Measurement>)"
             R"(<Status type="3">99999999999</Status><Comment>after</Comment></ResultItem>)"),
      nullptr);
  EXPECT_EQ(reported().size(), 1u);
  EXPECT_EQ(result.MeasurementCount_get(), 1);
  EXPECT_EQ(result.MaxIndex_get(), 1);
}

TEST_F(ResultXmlTest, GroupResultStoresItsSummary) {
  CResultTestGroup group;
  auto doc = host_api::hostServices().xml->loadDocumentFromString(
      R"(<ResultItem><Status type="3">2</Status><Comment>g</Comment>)"
      R"(<Measurement Key="::2::BF_AC"><Description>Test Group</Description>)"
      R"(<Value type="4" ValueType="1" Format="##0.0">12.5</Value><Status type="3">2</Status>)"
      R"(</Measurement></ResultItem>)");
  group.Load(*doc->documentElement(), nullptr);
  ASSERT_TRUE(group.Summary_get());
  EXPECT_EQ(group.Status_get(), 2);
  EXPECT_EQ(group.Measurement_get(Variant(7)), group.Summary_get());
  EXPECT_EQ(group.MeasurementCount_get(), 1);

  CResultTestGroup again;
  again.Load(*parse(saved(group))->child(0), nullptr);
  expectEqual(*again.Summary_get(), *group.Summary_get());
  EXPECT_EQ(again.Comment_get(), "g");
  EXPECT_EQ(again.Status_get(), 2);
}
