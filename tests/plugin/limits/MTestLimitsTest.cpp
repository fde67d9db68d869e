#include "plugin/limits/MTestLimits.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LimitsTestSupport.h"
#include "driver/TrxTypes.h"
#include "host/HostLimitView.h"
#include "plugin/config/CConfigResistance.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/MSharedTools.h"
#include "support/InstalledHost.h"

using namespace plugin;
using limits_test::FakePlugInEntry;
using limits_test::FakeSingleTest;
using limits_test::FakeTestElement;
using MTestLimits::LimitKey;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

std::vector<std::string> keyNames(const std::vector<LimitKey>& keys) {
  std::vector<std::string> names;
  for (const auto& key : keys) names.push_back(key.key);
  return names;
}

MTestLimits::KeyRuleInput multiTestInput(int32_t measType, int32_t nomenclature, bool totals) {
  MTestLimits::KeyRuleInput input;
  input.testId = 800;
  input.requireModules = true;
  input.hasTotalLimits = totals;
  input.measType = measType;
  input.nomenclature = nomenclature;
  return input;
}

std::shared_ptr<CConfigTestGroup> groupConfig(int32_t measType) {
  auto config = std::make_shared<CConfigTestGroup>();
  config->Test_get()->MeasType_let(measType);
  return config;
}

class MTestLimitsTest : public InstalledHost {
 protected:
  void SetUp() override {
    InstalledHost::SetUp();
    entry = std::make_shared<FakePlugInEntry>();
    override.emplace(entry);
  }
  void TearDown() override {
    override.reset();
    InstalledHost::TearDown();
  }

  std::vector<std::string> keysOf(const FakeTestElement& element) {
    return keyNames(MTestLimits::KeysOf(&element, &element));
  }

  std::shared_ptr<FakePlugInEntry> entry;
  std::optional<PlugInReferenceOverride> override;
};

}  // namespace

TEST(LimitKeyRules, MultiTestWithTotalsListsClassKeysThenTotalsInIECTerms) {
  auto keys = MTestLimits::ApplicableKeys(multiTestInput(vti::emt_AC, vti::enomIEC, true));
  EXPECT_THAT(keys, ElementsAre(LimitKey{"::B_AC", "20828::Body (AC)"},
                                LimitKey{"::BF_AC", "20829::Body Float (AC)"},
                                LimitKey{"::CF_AC", "20830::Cardiac Float (AC)"},
                                LimitKey{"::B_ACTOT", "20833::Total Body (AC)"},
                                LimitKey{"::BF_ACTOT", "20834::Total Body Float (AC)"},
                                LimitKey{"::CF_ACTOT", "20835::Total Cardiac Float (AC)"}));
}

TEST(LimitKeyRules, AAMITermsKnowNoClassBFAndUseTheirOwnNames) {
  auto keys = MTestLimits::ApplicableKeys(multiTestInput(vti::emt_AC, vti::enomAAMI, true));
  EXPECT_THAT(keys, ElementsAre(LimitKey{"::B_AC", "20831::Non-Isolated (AC)"},
                                LimitKey{"::CF_AC", "20832::Isolated (AC)"},
                                LimitKey{"::B_ACTOT", "20826::Total Non-Isolated (AC)"},
                                LimitKey{"::CF_ACTOT", "20827::Total Isolated (AC)"}));
  auto dc = MTestLimits::ApplicableKeys(multiTestInput(vti::emt_DC, vti::enomAAMI, false));
  EXPECT_THAT(dc, ElementsAre(LimitKey{"::B_DC", "20820::Non-Isolated (DC)"},
                              LimitKey{"::CF_DC", "20821::Isolated (DC)"}));
}

TEST(LimitKeyRules, EveryKeyOfEveryTypeHasADescriptionInTheTermsThatUseIt) {
  for (int32_t nomenclature : {vti::enomIEC, vti::enomAAMI}) {
    for (int32_t type : {0, 1, 2}) {
      for (bool single : {false, true}) {
        auto input = multiTestInput(type, nomenclature, true);
        input.singleTest = single;
        for (const auto& key : MTestLimits::ApplicableKeys(input)) {
          EXPECT_THAT(key.description, testing::StartsWith("208")) << key.key;
        }
      }
    }
  }
  EXPECT_EQ(MTestLimits::KeyDescription("::BF_TOT", vti::enomAAMI), "");
  EXPECT_EQ(MTestLimits::KeyDescription("::XX", vti::enomIEC), "");
}

TEST(LimitKeyRules, SingleTestsAndTestsWithoutModulesHaveOneKeyOfTheirOwn) {
  auto input = multiTestInput(vti::emt_DC, vti::enomIEC, true);
  input.singleTest = true;
  EXPECT_THAT(MTestLimits::ApplicableKeys(input),
              ElementsAre(LimitKey{"::ST_DC", "20819::Single test DC"}));
  input.singleTest = false;
  input.requireModules = false;
  input.measType = 0;
  EXPECT_THAT(MTestLimits::ApplicableKeys(input),
              ElementsAre(LimitKey{"::ST", "20800::Single test"}));
  // A type no configuration should hold reads as AC and DC together.
  input.measType = 7;
  EXPECT_THAT(keyNames(MTestLimits::ApplicableKeys(input)), ElementsAre("::ST"));
}

TEST(LimitKeyRules, TheECGTestHasNoKeys) {
  auto input = multiTestInput(vti::emt_AC, vti::enomIEC, true);
  input.testId = MTestLimits::ECGTestID;
  EXPECT_THAT(MTestLimits::ApplicableKeys(input), IsEmpty());
}

TEST(LimitKeyRules, OnlyIdsWhoseTextEndsInTwoZerosStandAlone) {
  EXPECT_TRUE(MTestLimits::EndsInHundreds(100));
  EXPECT_TRUE(MTestLimits::EndsInHundreds(1900));
  EXPECT_FALSE(MTestLimits::EndsInHundreds(1010));
  EXPECT_FALSE(MTestLimits::EndsInHundreds(0));
}

TEST(LimitKeySuffix, FollowsTheDriversMeasurementTypeAndTotalLeakage) {
  EXPECT_EQ(MTestLimits::LimitKeySuffix(vti::emt_ACDC, false), "");
  EXPECT_EQ(MTestLimits::LimitKeySuffix(vti::emt_ACDC, true), "_TOT");
  EXPECT_EQ(MTestLimits::LimitKeySuffix(vti::emt_AC, false), "_AC");
  EXPECT_EQ(MTestLimits::LimitKeySuffix(vti::emt_AC, true), "_ACTOT");
  EXPECT_EQ(MTestLimits::LimitKeySuffix(vti::emt_DC, false), "_DC");
  EXPECT_EQ(MTestLimits::LimitKeySuffix(vti::emt_DC, true), "_DCTOT");
  EXPECT_EQ(MTestLimits::LimitKeySuffix(5, true), "");
  EXPECT_EQ(MTestLimits::LimitKeySuffix(-1, false), "");

  vti::CTrxTestOptions options;
  options.MeasType_let(vti::emt_DC);
  options.TotalLeakage_let(true);
  EXPECT_EQ(MTestLimits::LimitKeySuffix(options), "_DCTOT");
}

TEST_F(MTestLimitsTest, AMultiTestWithoutConfigurationHasTheSuffixLessClassKeys) {
  auto element = limits_test::multiTest(800);
  EXPECT_THAT(keysOf(*element), ElementsAre("::B", "::BF", "::CF"));
}

TEST_F(MTestLimitsTest, ASingleResistanceTestTakesItsTypeFromItsResistanceOptions) {
  FakeSingleTest element(300);
  element.requireModules = true;  // a single test has its own key whatever its flags say
  auto config = std::make_shared<CConfigResistance>();
  config->Test_get()->MeasType_let(vti::emt_DC);
  element.configuration = config;
  EXPECT_THAT(MTestLimits::KeysOf(&element, &element),
              ElementsAre(LimitKey{"::ST_DC", "20819::Single test DC"}));

  // A resistance test's id range reads no group configuration.
  element.configuration = groupConfig(vti::emt_AC);
  EXPECT_THAT(keysOf(element), ElementsAre("::ST"));
}

TEST_F(MTestLimitsTest, AnElementInsideAGroupTakesItsTypeFromTheGroup) {
  auto group = std::make_shared<FakeTestElement>(1000);
  group->configuration = groupConfig(vti::emt_AC);
  auto member = limits_test::multiTest(1010);
  member->configuration = groupConfig(vti::emt_DC);
  member->parent = group;
  EXPECT_THAT(keysOf(*member), ElementsAre("::B_AC", "::BF_AC", "::CF_AC"));

  member->parent = nullptr;  // not placed in a group yet
  EXPECT_THAT(keysOf(*member), ElementsAre("::B", "::BF", "::CF"));

  auto standAlone = limits_test::multiTest(800);
  standAlone->configuration = groupConfig(vti::emt_DC);
  EXPECT_THAT(keysOf(*standAlone), ElementsAre("::B_DC", "::BF_DC", "::CF_DC"));
}

TEST_F(MTestLimitsTest, TheNomenclatureIsTheEntrysSettingAtTheMomentOfTheCall) {
  auto element = limits_test::multiTest(800);
  entry->setup.Nomenclature_let(vti::enomAAMI);
  EXPECT_THAT(keysOf(*element), ElementsAre("::B", "::CF"));
  entry->setup.Nomenclature_let(vti::enomIEC);
  EXPECT_THAT(keysOf(*element), ElementsAre("::B", "::BF", "::CF"));

  // Without an initialised entry the installation's setting counts.
  PlugInReferenceOverride noEntry(nullptr);
  key(MSharedTools::PlugInKey)->WriteLong("Nomenclature", vti::enomAAMI);
  EXPECT_THAT(keysOf(*element), ElementsAre("::B", "::CF"));
}

TEST_F(MTestLimitsTest, StandardsGetOneLimitWithoutValuesPerKeyInTheElementsUnit) {
  auto element = limits_test::multiTest(800, true);
  element->unit = "mA";
  auto standard = host_api::hostServices().classes.newLimitStandard();
  standard->Initialize(1, "CF", 1);
  MTestLimits::AddLimitKeys(*standard, element.get(), element.get());

  auto limits = standard->Limits_get();
  ASSERT_EQ(limits->Count(), 6);
  EXPECT_EQ(limits->Item(1)->Key_get(), "::B");
  EXPECT_EQ(limits->Item(6)->Key_get(), "::CF_TOT");
  for (int32_t i = 1; i <= limits->Count(); ++i) {
    EXPECT_EQ(limits->Item(i)->Unit_get(), "mA");
    EXPECT_FALSE(limits->Item(i)->High_get().has_value());
    EXPECT_FALSE(limits->Item(i)->Low_get().has_value());
  }
}

TEST_F(MTestLimitsTest, TheEditorGetsOneTranslatedRowPerKey) {
  auto element = limits_test::multiTest(800);
  host::HostLimitView editor;
  MTestLimits::ListLimitKeys(editor, element.get(), element.get());
  std::vector<std::string> rows;
  for (const auto& row : editor.rows()) {
    rows.push_back(row.key + "|" + row.description + "|" + row.unit + "|" + row.note);
  }
  EXPECT_THAT(rows, ElementsAre("::B|Body|uA|", "::BF|Body Float|uA|", "::CF|Cardiac Float|uA|"));
}

TEST_F(MTestLimitsTest, TheECGTestGetsNoLimitsAndNoEditorRows) {
  auto element = limits_test::multiTest(MTestLimits::ECGTestID, true);
  host::HostLimitView editor;
  MTestLimits::ListLimitKeys(editor, element.get(), element.get());
  auto standard = host_api::hostServices().classes.newLimitStandard();
  MTestLimits::AddLimitKeys(*standard, element.get(), element.get());
  EXPECT_THAT(editor.rows(), IsEmpty());
  EXPECT_EQ(standard->Limits_get()->Count(), 0);
}
