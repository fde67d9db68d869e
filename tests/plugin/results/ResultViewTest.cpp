#include <gtest/gtest.h>

#include "ResultViewsSupport.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListView.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/results/MResultRows.h"
#include "plugin/results/XResultView.h"

using namespace plugin;
using namespace results_test;
using MResultRows::ColHigh;
using MResultRows::ColLow;
using MResultRows::ColModule;
using MResultRows::ColValue;
using platform::forms::ListItem;

namespace {

constexpr int32_t Red = 255;
constexpr int32_t Black = 0;

class ResultViewTest : public ResultViewsTest {
 protected:
  void SetUp() override {
    ResultViewsTest::SetUp();
    view.emplace(form.add<platform::forms::ListView>(XResultView::ListName));
  }
  void TearDown() override {
    view.reset();
    ResultViewsTest::TearDown();
  }

  platform::forms::ListView& list() { return form.get<platform::forms::ListView>("lvwResult"); }
  const ListItem& row(const std::string& key) {
    const int32_t at = list().indexOf(key);
    EXPECT_GE(at, 0) << "no row " << key;
    return list().items().at(static_cast<size_t>(at < 0 ? 0 : at));
  }
  std::vector<std::string> keys() {
    std::vector<std::string> out;
    for (const auto& item : list().items()) out.push_back(item.key);
    return out;
  }

  // The multi test 1110 (leakage of every module, lead by lead) in group 1100, over a setup of a
  // B module "ECG" on RA, LL and a CF module "Probe" on LA.
  void buildMultiTest(int32_t plConfiguration) {
    setup = std::make_shared<CModuleSetup>();
    setup->Add(module("ECG", 2, 1, 1));
    setup->Add(module("Probe", 1, 3, 3));
    parentGroup = group(1100);
    configOf(*parentGroup)->Test_get()->PLConfiguration_let(plConfiguration);
    leakage = multi(1110);
    parentGroup->Add(leakage);
    giveResult(*leakage,
               {{"::1::_AC", " "},
                {"::1::B_AC#11", platform::Variant(12.5f), 1, "", "uA"},
                {"::1::B_AC#12", platform::Variant(130.0f), 2, "", "uA"},
                {"::2::CF_AC", platform::Variant(3.0f), 1, "", "uA"}},
               vti::etcPatLeak);
    view->Initialize(setup);
  }

  platform::forms::Form form{"FHost"};
  std::optional<XResultView> view;
  std::shared_ptr<CModuleSetup> setup;
  std::shared_ptr<CTestGroup> parentGroup;
  std::shared_ptr<CTestMulti> leakage;
};

TEST_F(ResultViewTest, ColumnsCarryTheirKeysAndTranslatedTitles) {
  const auto& columns = list().columns();
  ASSERT_EQ(columns.size(), 5u);
  std::vector<std::string> keys, titles;
  for (const auto& c : columns) {
    keys.push_back(c.key);
    titles.push_back(c.title);
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"NAM", "MOD", "VAL", "HIL", "LOL"}));
  EXPECT_EQ(titles,
            (std::vector<std::string>{"Test", "Module", "Value", "High limit", "Low limit"}));
}

TEST_F(ResultViewTest, OverflowShowsXXWithTheOverflowTextAsTooltip) {
  auto earth = single(300);
  giveResult(*earth, {{"::ST", platform::Variant(0.2f), 2, "O"}});
  view->AddResult(earth);
  const auto& item = row("::300");
  EXPECT_EQ(item.subItem(ColValue), "XX");
  EXPECT_EQ(item.findCell(ColValue)->toolTip, "Overflow");
  EXPECT_EQ(item.foreColor, Red);
}

TEST_F(ResultViewTest, ValueCellsShowFormatUnitAndTextReadingsAsTheyStand) {
  auto earth = single(300);
  giveResult(*earth, {{"::ST1", platform::Variant(0.1234f)}});
  auto other = single(301);
  giveResult(*other, {{"::ST", platform::Variant("OL")}});
  view->AddResult(earth);
  view->AddResult(other);
  EXPECT_EQ(row("::300").subItem(ColValue), "0.123  Ohm");
  EXPECT_EQ(row("::300").findCell(ColValue)->toolTip, "0.123  Ohm");
  EXPECT_EQ(row("::301").subItem(ColValue), "OL");
  EXPECT_EQ(row("::300").text, "Single 300");
  EXPECT_EQ(row("::300").toolTip, "Single 300");
}

TEST_F(ResultViewTest, AStandardWithoutLimitsForTheElementLeavesSingleBlanks) {
  auto earth = single(300);
  addStandard(*earth, 4, "I", {{"::ST", "Ohm", "0.3", ""}});
  giveResult(*earth, {{"::ST", platform::Variant(0.1f)}});
  view->AddResult(earth);
  view->SelectStandard("2", "I");  // IEC 60601-1: the element has no such standard
  EXPECT_EQ(row("::300").subItem(ColHigh), " ");
  EXPECT_EQ(row("::300").subItem(ColLow), " ");
  view->SelectStandard("4", "I");
  EXPECT_EQ(row("::300").subItem(ColHigh), "0.300 Ohm");
  EXPECT_EQ(row("::300").subItem(ColLow), " ");  // the standard has no low limit
  EXPECT_EQ(row("::300").findCell(ColHigh)->toolTip, "IEC 62353 I");
  view->SelectStandard("IEC 62353", "II");  // right standard, other protection class
  EXPECT_EQ(row("::300").subItem(ColHigh), " ");
}

TEST_F(ResultViewTest, TwoLimitsUnderOneKeyShowTheSmallerHighAndTheGreaterLow) {
  auto earth = single(300);
  addStandard(*earth, 4, "I",
              {{"::ST", "Ohm", "0.5", "0.1"},
               {"::ST", "Ohm", "0.3", "0.2"},
               {"::B_AC", "Ohm", "0.05", "0.01"}});
  giveResult(*earth, {{"::ST", platform::Variant(0.25f)}});
  view->SelectStandard("IEC 62353 I", "I");
  view->AddResult(earth);
  EXPECT_EQ(row("::300").subItem(ColHigh), "0.300 Ohm");
  EXPECT_EQ(row("::300").subItem(ColLow), "0.200 Ohm");
}

TEST_F(ResultViewTest, RowsWithoutReadingsShowBlanksOrNotApplicable) {
  auto none = single(300);
  none->ResetResult(CTestElement::ResetRemove);
  auto noVerdict = single(301);
  giveResult(*noVerdict, {{"::ST", platform::Variant(0.1f), 2}});
  std::dynamic_pointer_cast<CResultData>(noVerdict->Result_get())->Status_let(3);
  view->AddResult(none);
  view->AddResult(noVerdict);
  EXPECT_EQ(row("::300").subItem(ColModule), " ");
  EXPECT_EQ(row("::300").subItem(ColValue), " ");
  EXPECT_EQ(row("::301").subItem(ColModule), " ");
  EXPECT_EQ(row("::301").subItem(ColValue), "NA");
  EXPECT_EQ(row("::301").foreColor, Black);  // its failed reading is not shown
}

TEST_F(ResultViewTest, AFailedReadingColoursItsRowRedAndAPassedOneBlack) {
  auto failed = single(300);
  giveResult(*failed, {{"::ST", platform::Variant(0.9f), 2}});
  auto passed = single(301);
  giveResult(*passed, {{"::ST", platform::Variant(0.1f), 1}});
  // The latest reading passed, but the test failed: its row must not look passed.
  auto earlierFailed = single(302);
  giveResult(*earlierFailed, {{"::ST1", platform::Variant(0.9f), 2}, {"::ST2", 0.1f, 1}});
  for (const auto& e : {failed, passed, earlierFailed}) view->AddResult(e);
  EXPECT_EQ(row("::300").foreColor, Red);
  EXPECT_EQ(row("::301").foreColor, Black);
  EXPECT_EQ(row("::302").foreColor, Red);
  EXPECT_EQ(row("::302").subItem(ColValue), "0.100  Ohm");
}

TEST_F(ResultViewTest, AMultiTestInAllLeadsModeGetsModuleAndLeadRowsOfItsSetup) {
  buildMultiTest(1);
  view->AddResult(leakage);
  EXPECT_EQ(keys(), (std::vector<std::string>{"::1110", "::1110@1", "::1110@1::11", "::1110@1::12",
                                              "::1110@2"}));
  EXPECT_EQ(row("::1110@1").text, "      ECG");
  EXPECT_EQ(row("::1110@1::11").text, "         RA");
  EXPECT_EQ(row("::1110@1::12").text, "         LL");
  EXPECT_EQ(row("::1110@2").text, "      Probe");
  // A lead row names its module in the tooltip only.
  EXPECT_EQ(row("::1110@1::12").subItem(ColModule), "");
  EXPECT_EQ(row("::1110@1::12").findCell(ColModule)->toolTip, "ECG");
  EXPECT_EQ(row("::1110@1::12").subItem(ColValue), "130.0  uA");
  EXPECT_EQ(row("::1110@1::12").foreColor, Red);
  EXPECT_EQ(row("::1110@1::11").foreColor, Black);
  EXPECT_EQ(row("::1110@2").subItem(ColModule), "Probe");
  EXPECT_EQ(row("::1110@2").subItem(ColValue), "3.0  uA");
  EXPECT_EQ(row("::1110").foreColor, Red);  // the test failed on LL
  EXPECT_EQ(row("::1110").text, "   Multi 1110");
}

TEST_F(ResultViewTest, LeadAgainstOthersRowsNameTheLeadItsCounterpartsAndTheGrounding) {
  setup = std::make_shared<CModuleSetup>();
  setup->Add(module("ECG", 3, 1, 2));
  setup->Add(module("Probe", 2, 4, 2));
  auto auxGroup = group(1300);
  configOf(*auxGroup)->Test_get()->PLConfiguration_let(1);
  auto aux = multi(1310);
  auxGroup->Add(aux);
  std::vector<Reading> readings{{"::1::_AC", " "}};
  for (int n = 1; n <= 6; ++n) {
    readings.push_back({"::1::BF_AC#1" + std::to_string(n), platform::Variant(1.0f * n)});
  }
  readings.push_back({"::2::BF_AC#21", platform::Variant(2.0f)});
  giveResult(*aux, readings, vti::etcPatAux);
  view->Initialize(setup);
  view->AddResult(aux);
  EXPECT_EQ(row("::1310@1::11").text, "         RA --> LL,LA (F)");
  EXPECT_EQ(row("::1310@1::12").text, "         RA --> LL,LA (G)");
  EXPECT_EQ(row("::1310@1::16").text, "         LA --> RA,LL (G)");
  EXPECT_EQ(row("::1310@1::16").subItem(ColValue), "6.0  Ohm");
  // A module of two leads is measured on its first lead only, open and grounded.
  EXPECT_EQ(row("::1310@2::21").text, "         RL --> V1 (F)");
  EXPECT_EQ(row("::1310@2::22").text, "         RL --> V1 (G)");
  EXPECT_EQ(list().indexOf("::1310@2::23"), -1);
  EXPECT_EQ(list().items().size(), 1u + 1u + 6u + 1u + 2u);
}

TEST_F(ResultViewTest, WorstCaseAndTheModuleFilterLimitTheRows) {
  buildMultiTest(0);
  configOf(*parentGroup)->Modules_get()->Filter_get()->Add("Name", "ECG");
  view->AddResult(leakage);
  EXPECT_EQ(keys(), (std::vector<std::string>{"::1110", "::1110@1"}));
}

TEST_F(ResultViewTest, AGroupMemberGetsItsOwnModuleRow) {
  setup = std::make_shared<CModuleSetup>();
  auto cuffs = std::make_shared<CModuleGroup>();
  setup->Add(cuffs);
  cuffs->Add(module("Cuff A", 1, 1, 2), setup->NextModuleID());
  cuffs->Add(module("Cuff B", 1, 1, 2), setup->NextModuleID());
  auto test = multi(1210);
  giveResult(*test, {{"::1$3::BF_AC", platform::Variant(4.0f), 1, "", "uA"}}, vti::etcPatLeak);
  view->Initialize(setup);
  view->AddResult(test);
  EXPECT_EQ(keys(), (std::vector<std::string>{"::1210", "::1210@3"}));
  EXPECT_EQ(row("::1210@3").text, "      Cuff B");
}

TEST_F(ResultViewTest, RowsAddedLaterStayBelowTheirElement) {
  buildMultiTest(1);
  auto result = std::dynamic_pointer_cast<CResultData>(leakage->Result_get());
  result->Clear();
  result->AddMeasurement(reading({"::1::_AC", " "}, vti::etcPatLeak));
  auto earth = single(300);
  giveResult(*earth, {{"::ST", platform::Variant(0.1f)}});
  view->AddResult(leakage);
  view->AddResult(earth);
  result->AddMeasurement(reading({"::2::CF_AC", platform::Variant(3.0f)}, vti::etcPatLeak));
  view->AddResult(leakage);
  EXPECT_EQ(keys(), (std::vector<std::string>{"::1110", "::1110@1", "::1110@2", "::300"}));
}

TEST_F(ResultViewTest, HighlightFindsTheRowOfTheLatestReadingAndAddsItWhenMissing) {
  buildMultiTest(1);
  view->AddResult(leakage);
  view->HighlightTestElement(leakage);
  EXPECT_EQ(list().SelectedIndex_get(), list().indexOf("::1110@2"));
  // The next lead of module 1 was measured; its row is not listed yet.
  auto result = std::dynamic_pointer_cast<CResultData>(leakage->Result_get());
  result->AddMeasurement(reading({"::1::B_AC#13", platform::Variant(1.0f)}, vti::etcPatLeak));
  view->HighlightTestElement(leakage);
  const int32_t at = list().indexOf("::1110@1::13");
  ASSERT_GE(at, 0);
  EXPECT_EQ(list().SelectedIndex_get(), at);
  EXPECT_EQ(list().VisibleIndex_get(), at);
  EXPECT_EQ(at, list().indexOf("::1110@1::12") + 1);  // below its module's lead rows
}

TEST_F(ResultViewTest, HighlightOfAnElementWithoutModulesSelectsItsRow) {
  auto earth = single(300);
  auto other = single(301);
  giveResult(*earth, {{"::ST", platform::Variant(0.1f)}});
  view->AddResult(earth);
  view->AddResult(other);
  view->HighlightTestElement(other);
  EXPECT_EQ(list().SelectedIndex_get(), 1);
  view->HighlightTestElement(single(999));  // not listed: the selection stays
  EXPECT_EQ(list().SelectedIndex_get(), 1);
}

TEST_F(ResultViewTest, AddTestElementFlagsFindWithoutAdding) {
  auto earth = single(300);
  EXPECT_EQ(view->AddTestElement(earth, 1, "X", "", false, true), nullptr);
  EXPECT_EQ(view->AddTestElement(earth, 1, "X", "", true), nullptr);  // no element row
  EXPECT_TRUE(list().items().empty());
  ListItem* own = view->AddTestElement(earth);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(view->AddTestElement(earth), own);
  EXPECT_NE(view->AddTestElement(earth, 1, "X", "", true), nullptr);
  EXPECT_EQ(list().items().size(), 2u);
}

TEST_F(ResultViewTest, ShowResultsWalksTheGroupAndLeavesOutTestsTheModulesDoNotSuit) {
  setup = std::make_shared<CModuleSetup>();
  setup->Add(module("ECG", 2, 1, 1));  // class B only
  auto top = group(1200);
  auto bfTest = multi(1210);  // needs a BF or CF module
  top->Add(bfTest);
  view->Initialize(setup);
  view->ShowResults(top, setup);
  EXPECT_TRUE(list().items().empty());  // the group of BF and CF tests has nothing to show
  setup->Add(module("Probe", 1, 3, 3));
  view->ShowResults(top, setup);
  EXPECT_EQ(keys(), (std::vector<std::string>{"::1200", "::1210"}));
  EXPECT_TRUE(row("::1200").bold);
  EXPECT_FALSE(row("::1210").bold);
  view->Clear();
  EXPECT_TRUE(list().items().empty());
}

TEST(ResultRows, ReadingKeysNameTheirModuleAndLead) {
  using MResultRows::ParseReadingKey;
  EXPECT_EQ(ParseReadingKey("::2::CF_AC").module, 2);
  EXPECT_EQ(ParseReadingKey("::12::CF_AC#124").module, 12);
  EXPECT_EQ(ParseReadingKey("::12::CF_AC#124").lead, "124");
  EXPECT_EQ(ParseReadingKey("::7$3::BF").module, 3);
  EXPECT_EQ(ParseReadingKey("::@2$3::BF_AC#71").module, 3);
  EXPECT_EQ(ParseReadingKey("::ST4").module, 0);
  EXPECT_EQ(ParseReadingKey("::ST").module, 0);
  EXPECT_EQ(ParseReadingKey("garbage::x").module, 0);
}

}  // namespace
