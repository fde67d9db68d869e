// Resetting results and limits through a tree, the limit editor of the resistance test, and
// what an element does when asked for what it cannot do yet or any more.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "plugin/guide/ITestGuide.h"

#include "ElementsTestSupport.h"
#include "host/HostLimitView.h"
#include "plugin/core/FElementSetup.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/results/CResultTestGroup.h"
#include "support/ExpectError.h"

namespace {

using namespace plugin;
using elements_test::ElementsTest;
using testing::ElementsAre;

class ElementStateTest : public ElementsTest {
 protected:
  // A group holding a single test and a nested group with a multi test, every one of them with
  // a result and limits.
  void SetUp() override {
    ElementsTest::SetUp();
    top = group(100);
    nested = group(1000);
    earth = single(300);
    leakage = multi(1010);
    nested->Add(leakage);
    top->Add(earth);
    top->Add(nested);
    for (const auto& element : elements()) {
      element->ResetResult(0);
      element->LimitData()->CreateStandard(IEC62353, "CF");
    }
    fill(*earth, 2);
    fill(*leakage, 3);
  }

  static void fill(host_api::ITestElement& element, int readings) {
    auto result = std::dynamic_pointer_cast<CResultData>(element.Result_get());
    auto source = resultWith(readings);
    for (int i = 1; i <= readings; ++i) result->AddMeasurement(source->Item(i));
  }

  std::vector<std::shared_ptr<CTestElement>> elements() const {
    return {top, nested, earth, leakage};
  }

  std::shared_ptr<CTestGroup> top, nested;
  std::shared_ptr<CTestSingle> earth;
  std::shared_ptr<CTestMulti> leakage;
};

TEST_F(ElementStateTest, MarkingAGroupWithoutVerdictClearsEveryNestedResult) {
  top->ResetResult(CTestElement::ResetNoVerdict);
  for (const auto& element : elements()) {
    auto result = element->Result_get();
    ASSERT_TRUE(result) << element->TestID_get();
    EXPECT_EQ(result->Status_get(), host_api::ResultStatus::NoVerdict) << element->TestID_get();
  }
  EXPECT_EQ(earth->Result_get()->MeasurementCount_get(), 0);
  EXPECT_EQ(leakage->Result_get()->MeasurementCount_get(), 0);
  EXPECT_TRUE(std::dynamic_pointer_cast<CResultTestGroup>(nested->Result_get()));

  top->ResetResult(0);  // clears, and leaves no verdict behind
  EXPECT_EQ(leakage->Result_get()->Status_get(), host_api::ResultStatus::None);
}

TEST_F(ElementStateTest, RemovingAGroupsResultsRemovesThemThroughTheTree) {
  top->ResetResult(CTestElement::ResetRemove);
  for (const auto& element : elements()) {
    EXPECT_EQ(element->Result_get(), nullptr) << element->TestID_get();
  }
  // A new result takes the element's unit and result kind.
  leakage->ResultKind_let(0);
  nested->ResetResult(0);
  auto result = std::dynamic_pointer_cast<CResultData>(leakage->Result_get());
  ASSERT_TRUE(result);
  EXPECT_EQ(result->ResultUnit_get(), "uA");
  EXPECT_EQ(result->DetailFlag_get(), 0);
}

TEST_F(ElementStateTest, AGroupsNewResultSumsUpAsItsConfigurationSays) {
  std::dynamic_pointer_cast<CConfigTestGroup>(nested->Configuration_get())
      ->ValueFilter_let(CConfigTestGroup::ValueFilterMin);
  nested->ResetResult(CTestElement::ResetRemove);
  nested->ResetResult(0);
  auto result = std::dynamic_pointer_cast<CResultTestGroup>(nested->Result_get());
  ASSERT_TRUE(result);
  EXPECT_EQ(result->SummaryMode_get(), CResultTestGroup::SummarySmallest);
}

TEST_F(ElementStateTest, ResettingAGroupsLimitsEmptiesEveryChildsStandards) {
  top->ResetLimits();
  EXPECT_EQ(standardsOf(*earth), 0);
  EXPECT_EQ(standardsOf(*leakage), 0);
  EXPECT_EQ(standardsOf(*nested), 1);  // a group's own limits are not its children's
  EXPECT_EQ(standardsOf(*top), 1);
}

TEST_F(ElementStateTest, TheResistanceTestsLimitEditorFollowsTheMeasurementType) {
  auto config = std::make_shared<CConfigResistance>();
  auto resistance = std::dynamic_pointer_cast<CTestSingle>(single(700, config)->Clone());
  config = std::dynamic_pointer_cast<CConfigResistance>(resistance->Configuration_get());
  resistance->LimitData()->CreateStandard(IEC62353, "ST");
  auto dialog = std::dynamic_pointer_cast<FElementSetup>(resistance->Limits_get()->CreateDialog());
  ASSERT_TRUE(dialog);
  auto editor = std::dynamic_pointer_cast<host::HostLimitView>(dialog->Control());
  ASSERT_TRUE(editor);
  auto keys = [&] {
    std::vector<std::string> shown;
    for (const auto& row : editor->rows()) shown.push_back(row.key);
    return shown;
  };
  ASSERT_THAT(keys(), ElementsAre("::ST"));

  config->Test_get()->MeasType_let(2);
  resistance->Limits_get();
  EXPECT_THAT(keys(), ElementsAre("::ST_DC"));

  // Another resistance test leaves its editor alone: only id 700 follows its configuration.
  auto other = std::dynamic_pointer_cast<CTestSingle>(single(600, config->Clone())->Clone());
  auto otherDialog = std::dynamic_pointer_cast<FElementSetup>(other->Limits_get()->CreateDialog());
  auto otherEditor = std::dynamic_pointer_cast<host::HostLimitView>(otherDialog->Control());
  const auto before = otherEditor->rows().size();
  std::dynamic_pointer_cast<CConfigResistance>(other->Configuration_get())
      ->Test_get()
      ->MeasType_let(1);
  other->Limits_get();
  EXPECT_EQ(otherEditor->rows().size(), before);
  EXPECT_EQ(otherEditor->rows().front().key, "::ST_DC");
}

// A test run that refuses every element and notes whether anything else was asked of it.
class RefusingRun : public host_api::ITestRun {
 public:
  bool MayPerform(const host_api::ITestElement&) const override { return false; }
  bool IsSelected(const host_api::ITestElement&) const override { return touch(); }
  std::shared_ptr<host_api::IResultData> CurrentResult(
      const host_api::ITestElement&) const override {
    touch();
    return nullptr;
  }
  int32_t Status_get() const override { return touch() ? host_api::RunStatus::Repeat : 0; }
  void Status_let(int32_t) override { touch(); }
  void ElementPerformed(const host_api::ITestElement&) override { touch(); }
  std::shared_ptr<host_api::IStandards> SelectedStandards_get() const override {
    touch();
    return nullptr;
  }
  std::vector<std::shared_ptr<host_api::IInstrumentData>> InstrumentData_get() const override {
    touch();
    return {};
  }
  void AddInstrumentData(const std::shared_ptr<host_api::IInstrumentData>&) override { touch(); }
  bool touch() const { return touched = true; }
  mutable bool touched = false;
};

TEST_F(ElementStateTest, AnElementTheRunMayNotPerformIsLeftAsItWas) {
  RefusingRun run;
  bool guideOpened = false;
  plugin::MGlobalTestGuide::GuideFactoryOverride factory([&](const auto&, host_api::ITestRun*) {
    guideOpened = true;
    return std::shared_ptr<plugin::ITestGuide>();
  });
  for (const auto& element : elements()) element->Perform(run);
  EXPECT_FALSE(run.touched);
  EXPECT_FALSE(guideOpened);
  // The results stay as they were.
  EXPECT_EQ(leakage->Result_get()->MeasurementCount_get(), 3);
}

TEST_F(ElementStateTest, ATerminatedElementFailsWithAnErrorInsteadOfCrashing) {
  top->Terminate();
  EXPECT_EQ(expectComError([&] { top->Count(); }).number(), platform::RuntimeError::ObjectRequired);
  EXPECT_EQ(expectComError([&] { top->TestID_get(); }).number(),
            platform::RuntimeError::ObjectRequired);
  top->Terminate();  // once is enough, twice does no harm
  // Terminating the group terminated its children.
  EXPECT_EQ(expectComError([&] { leakage->Result_get(); }).number(),
            platform::RuntimeError::ObjectRequired);
}

}  // namespace
