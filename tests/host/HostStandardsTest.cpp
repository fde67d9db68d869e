#include <gtest/gtest.h>

#include "host/HostLimit.h"
#include "host/HostLimitStandard.h"
#include "host/HostLoadLog.h"
#include "host/HostStandards.h"
#include "host/HostXmlService.h"
#include "support/ExpectError.h"

using platform::Variant;

namespace {

class HostStandardsTest : public ::testing::Test {
 protected:
  std::shared_ptr<host::HostLimitStandard> standard(int32_t id, const std::string& className) {
    auto made = std::make_shared<host::HostLimitStandard>();
    made->Initialize(id, className, 1);
    return made;
  }
  void addLimit(host::HostLimitStandard& to, const std::string& key, const std::string& unit,
                const std::string& high, const std::string& low) {
    auto limit = std::make_shared<host::HostLimit>();
    limit->Initialize(key, unit, high, low);
    to.AddLimit(limit);
  }
  // Loads `inner` wrapped in an "ExpectedResult" element.
  void load(const std::string& inner) {
    auto doc = xml.loadDocumentFromString("<ExpectedResult>" + inner + "</ExpectedResult>");
    standards.Load(*doc->documentElement(), &log);
  }
  std::string saved(const host::HostStandards& from) {
    auto doc = xml.createDocument();
    auto root = doc->createElement("Test");
    doc->setDocumentElement(root);
    from.Save(*root);
    return doc->toString();
  }

  host::HostXmlService xml;
  host::HostStandards standards;
  host::HostLoadLog log;
};

}  // namespace

TEST_F(HostStandardsTest, StandardsAreUniqueByIdAndClassAndAReplacementKeepsItsPlace) {
  standards.Add(standard(4, "CF"));
  standards.Add(standard(4, "BF"));
  auto replacement = standard(4, "CF");
  replacement->Initialize(4, "CF", 7);
  standards.Add(replacement);
  ASSERT_EQ(standards.Count(), 2);
  EXPECT_EQ(standards.Item(1)->Flag_get(), 7);
  EXPECT_EQ(standards.Find(0, 4, "BF"), standards.Item(2));
  EXPECT_EQ(standards.Find(0, 4, "B"), nullptr);
  standards.Remove(4, "CF");
  standards.Remove(9, "CF");
  ASSERT_EQ(standards.Count(), 1);
  EXPECT_EQ(standards.Item(1)->ClassName_get(), "BF");
  EXPECT_EQ(standards.Item(2), nullptr);
}

TEST_F(HostStandardsTest, SavedStandardsLoadBackWithUnitsThatNeedEscaping) {
  auto cf = standard(4, "CF");
  addLimit(*cf, "::CF_AC", "µA <&> \"x\"", "10", "");
  addLimit(*cf, "::ST", "MΩ", "", "0.1");
  auto none = standard(2, "");
  addLimit(*none, "::ST_TOT", "%", "1.5", "-0.25");
  standards.Add(cf);
  standards.Add(none);
  auto text = saved(standards);
  EXPECT_NE(text.find("<Limit Key=\"::ST\" Unit=\"MΩ\" High=\"\" Low=\"0.1\""), std::string::npos)
      << text;

  auto doc = xml.loadDocumentFromString(text);
  host::HostStandards loaded;
  loaded.Load(*doc->documentElement()->findChild("Standards"), &log);
  EXPECT_TRUE(log.empty()) << log.text();
  EXPECT_EQ(saved(loaded), text);
  auto limit = loaded.Find(0, 4, "CF")->Limits_get()->Item(1);
  EXPECT_EQ(limit->Unit_get(), "µA <&> \"x\"");
  EXPECT_EQ(loaded.Find(0, 2, "")->Limits_get()->Item(1)->Low_get(), -0.25f);
  EXPECT_EQ(loaded.Find(0, 4, "CF")->Evaluate("::ST", Variant(0.1f)),
            host_api::LimitStatus::Passed);
}

TEST_F(HostStandardsTest, UnreadableEntriesAreLoggedAndSkippedAndTheRestLoads) {
  load(R"(<Standard Class="CF"><Limit Key="::CF" High="1"/></Standard>
          <Standard ID="99999999999999999999" Class="B"/>
          <Standard ID="4" Class="BF" Flag="x">
            <Limit Key="::BF" High="1e400"/><Limit Key="::BF_AC" High="ten"/>
            <Limit High="5"/><Limit Key="::BF_DC" High="50" Low=""/>
          </Standard>
          <Comment/>)");
  ASSERT_EQ(standards.Count(), 1);
  auto bf = standards.Item(1);
  EXPECT_EQ(bf->Flag_get(), 1);
  ASSERT_EQ(bf->Limits_get()->Count(), 1);
  EXPECT_EQ(bf->Limits_get()->Item(1)->Key_get(), "::BF_DC");
  EXPECT_EQ(log.messages().size(), 7u) << log.text();
  EXPECT_NE(log.text().find("\"ten\""), std::string::npos) << log.text();
}

TEST_F(HostStandardsTest, AStandardStoredTwiceKeepsTheLaterOne) {
  load(R"(<Standard ID="4" Class="CF"><Limit Key="::CF" High="1"/></Standard>
          <Standard ID="2" Class="CF"/>
          <Standard ID="4" Class="CF"><Limit Key="::CF" High="2"/></Standard>)");
  ASSERT_EQ(standards.Count(), 2);
  EXPECT_EQ(standards.Item(1)->Limits_get()->Item(1)->High_get(), 2.0f);
  EXPECT_EQ(log.messages().size(), 1u);
}

TEST_F(HostStandardsTest, LimitsThatAllFailToLoadAreAnErrorNotAnEmptySet) {
  standards.Add(standard(1, "B"));
  auto error = expectComError([&] { load(R"(<Standard ID="abc"/><Standard/>)"); });
  EXPECT_NE(error.description().find("ExpectedResult"), std::string::npos);
  EXPECT_EQ(standards.Count(), 1);  // what was held stays
  load("");
  EXPECT_EQ(standards.Count(), 0);
  load(R"(<Standard ID="3" Class="B"/>)");
  EXPECT_EQ(standards.Count(), 1);
  EXPECT_NO_THROW(standards.Load(*xml.loadDocumentFromString("<X/>")->documentElement(), nullptr));
}

TEST_F(HostStandardsTest, ACopyIsIndependentOfTheOriginal) {
  auto cf = standard(4, "CF");
  addLimit(*cf, "::CF_AC", "µA", "10", "");
  standards.Add(cf);
  auto copy = standards.Copy();
  copy->Item(1)->Limits_get()->Item(1)->High_let(50.0f);
  copy->Remove(4, "CF");
  EXPECT_EQ(standards.Count(), 1);
  EXPECT_EQ(cf->Limits_get()->Item(1)->High_get(), 10.0f);
}
