#include "plugin/limits/CLimitData.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LimitsTestSupport.h"
#include "host/HostClassesInstaller.h"
#include "host/HostLimitView.h"
#include "platform/components/ComponentRegistry.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/FElementSetup.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/limits/MReportStandards.h"
#include "support/ExpectError.h"
#include "support/InstalledHost.h"

using namespace plugin;
using limits_test::FakeMeasurement;
using limits_test::FakePlugInEntry;
using limits_test::FakeTestElement;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

constexpr int32_t IEC62353 = 1;
constexpr int32_t IEC60601 = 2;

struct LimitValues {
  std::string key, high, low;
};

std::shared_ptr<host_api::ILimitStandard> standardWith(int32_t id, const std::string& className,
                                                       const std::vector<LimitValues>& limits,
                                                       int32_t flag = 0) {
  auto& classes = host_api::hostServices().classes;
  auto standard = classes.newLimitStandard();
  standard->Initialize(id, className, flag);
  for (const auto& values : limits) {
    auto limit = classes.newLimit();
    limit->Initialize(values.key, "uA", values.high, values.low);
    standard->AddLimit(limit);
  }
  return standard;
}

std::vector<std::string> keysOf(const host_api::ILimitStandard& standard) {
  std::vector<std::string> keys;
  auto limits = standard.Limits_get();
  for (int32_t i = 1; i <= limits->Count(); ++i) keys.push_back(limits->Item(i)->Key_get());
  return keys;
}

std::optional<float> highOf(const host_api::ILimitStandard& standard, const std::string& key) {
  auto limits = standard.Limits_get();
  for (int32_t i = 1; i <= limits->Count(); ++i) {
    if (limits->Item(i)->Key_get() == key) return limits->Item(i)->High_get();
  }
  return std::nullopt;
}

class CLimitDataTest : public InstalledHost {
 protected:
  void SetUp() override {
    InstalledHost::SetUp();
    entryOverride.emplace(entry);
    componentsOverride.emplace(registry);
    config = std::make_shared<CConfigTestGroup>();  // made under the host's services
    element->configuration = config;
    data->SetOwner(element, true);
  }
  void TearDown() override {
    componentsOverride.reset();
    entryOverride.reset();
    InstalledHost::TearDown();
  }

  // The host's editor control is offered from here on.
  void offerEditor() { host::registerHostControls(registry); }

  static std::shared_ptr<host::HostLimitView> editorOf(
      const std::shared_ptr<host_api::IDialog>& dialog) {
    auto setup = std::dynamic_pointer_cast<FElementSetup>(dialog);
    return setup ? std::dynamic_pointer_cast<host::HostLimitView>(setup->Control()) : nullptr;
  }

  static std::vector<std::string> rowKeys(const host::HostLimitView& editor) {
    std::vector<std::string> keys;
    for (const auto& row : editor.rows()) keys.push_back(row.key);
    return keys;
  }

  std::shared_ptr<host_api::IXmlElement> newRoot() {
    auto document = host_api::hostServices().xml->createDocument();
    document->setDocumentElement(document->createElement("Element"));
    return document->documentElement();
  }

  std::shared_ptr<FakePlugInEntry> entry = std::make_shared<FakePlugInEntry>();
  std::shared_ptr<FakeTestElement> element = limits_test::multiTest(800);
  std::shared_ptr<CConfigTestGroup> config;
  std::shared_ptr<CLimitData> data = std::make_shared<CLimitData>();
  platform::components::ComponentRegistry registry;

 private:
  std::optional<PlugInReferenceOverride> entryOverride;
  std::optional<platform::components::ComponentsOverride> componentsOverride;
};

}  // namespace

TEST_F(CLimitDataTest, MergingKeepsTheApplicableKeysTheUserStillHasWithTheUsersValues) {
  auto templ = standardWith(
      IEC62353, "CF",
      {{"::CF", "10", ""}, {"::B", "100", ""}, {"::BF", "100", ""}, {"::CF_AC", "10", ""}});
  // The user raised "::CF", removed "::BF", and holds "::CF_AC" although it no longer applies.
  auto current =
      standardWith(IEC62353, "CF", {{"::CF", "50", ""}, {"::B", "100", ""}, {"::CF_AC", "99", ""}});
  auto merged = data->MergeStandard(*current, *templ);
  EXPECT_THAT(keysOf(*merged), ElementsAre("::B", "::CF"));
  EXPECT_EQ(highOf(*merged, "::CF"), 50.0f);
  EXPECT_EQ(merged->StandardID_get(), IEC62353);
  EXPECT_EQ(merged->ClassName_get(), "CF");
}

TEST_F(CLimitDataTest, MergingWithNothingInCommonGivesAnEmptyStandardOfItsOwn) {
  auto templ = standardWith(IEC60601, "B", {{"::B_AC", "100", ""}}, 0);
  auto merged = data->MergeStandard(*templ, *templ);
  EXPECT_THAT(keysOf(*merged), IsEmpty());
  EXPECT_EQ(merged->StandardID_get(), IEC60601);
  EXPECT_EQ(merged->Flag_get(), 1);
}

TEST_F(CLimitDataTest, ACatalogueStandardIsTakenAsTheCatalogueOffersIt) {
  entry->catalogue[{800, IEC62353, "CF"}] =
      standardWith(IEC62353, "CF", {{"::CF", "10", ""}, {"::B", "100", ""}}, 0);
  auto standard = data->CreateStandard(IEC62353, "CF");
  ASSERT_TRUE(standard);
  EXPECT_THAT(keysOf(*standard), ElementsAre("::CF", "::B"));
  EXPECT_EQ(standard->Flag_get(), 0);
  ASSERT_EQ(data->Standards_get()->Count(), 1);
  EXPECT_EQ(data->Standards_get()->Item(1), standard);
}

TEST_F(CLimitDataTest, AStandardTheCatalogueLacksGetsEveryKeyWithoutValues) {
  config->Test_get()->MeasType_let(1);
  auto standard = data->CreateStandard(IEC60601, "BF");
  ASSERT_TRUE(standard);
  EXPECT_EQ(standard->Flag_get(), 1);
  EXPECT_THAT(keysOf(*standard), ElementsAre("::B_AC", "::BF_AC", "::CF_AC"));
  EXPECT_FALSE(highOf(*standard, "::BF_AC").has_value());
}

TEST_F(CLimitDataTest, AStandardCreatedWhileTheEditorIsOpenHoldsOnlyTheEditorsKeys) {
  offerEditor();
  auto dialog = data->CreateDialog();
  ASSERT_TRUE(dialog);
  entry->catalogue[{800, IEC62353, "CF"}] =
      standardWith(IEC62353, "CF", {{"::CF", "10", ""}, {"::CF_DC", "10", ""}}, 0);
  auto standard = data->CreateStandard(IEC62353, "CF");
  EXPECT_THAT(keysOf(*standard), ElementsAre("::CF"));
  EXPECT_EQ(highOf(*standard, "::CF"), 10.0f);
  EXPECT_EQ(data->Standards_get()->Find(0, IEC62353, "CF"), standard);
}

TEST_F(CLimitDataTest, LoadingAnythingButExpectedResultFailsWithItsOwnError) {
  auto root = newRoot();
  auto wrong = root->appendNewChild("Limits");
  platform::ComError error = expectComError([&] { data->Load(*wrong, nullptr); });
  EXPECT_EQ(error.number(), MPlugInErrors::errLimitDataElement);
  EXPECT_EQ(error.source(), "orvelTRX440.CLimitData");
  EXPECT_EQ(error.description(), "The stored limits are not an \"ExpectedResult\" element.");
}

TEST_F(CLimitDataTest, AnEmptyExpectedResultLeavesNoStandards) {
  data->CreateStandard(IEC62353, "CF");
  auto root = newRoot();
  data->Load(*root->appendNewChild("ExpectedResult"), nullptr);
  EXPECT_EQ(data->Standards_get(), nullptr);
  EXPECT_EQ(data->Save(*root), nullptr);
}

TEST_F(CLimitDataTest, ALoadThatFailsKeepsTheLimitsTheElementHad) {
  data->CreateStandard(IEC62353, "CF");
  auto stored = host_api::hostServices().xml->loadDocumentFromString(
      "<Element><ExpectedResult><Standard Class=\"CF\"/></ExpectedResult></Element>");
  auto error = expectComError(
      [&] { data->Load(*stored->documentElement()->findChild("ExpectedResult"), nullptr); });
  EXPECT_EQ(error.source(), "orvelTRX440.CLimitData");
  ASSERT_TRUE(data->Standards_get());
  EXPECT_EQ(data->Standards_get()->Count(), 1);
}

TEST_F(CLimitDataTest, SavedLimitsLoadBackAsExpectedResult) {
  data->CreateStandard(IEC62353, "CF");
  auto standard = data->Standards_get()->Item(1);
  standard->Limits_get()->Item(3)->High_let(10.5f);
  auto root = newRoot();
  auto saved = data->Save(*root);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->tagName(), "ExpectedResult");

  auto reread =
      host_api::hostServices().xml->loadDocumentFromString(root->ownerDocument()->toString());
  auto loaded = std::make_shared<CLimitData>();
  loaded->Load(*reread->documentElement()->findChild("ExpectedResult"), nullptr);
  ASSERT_TRUE(loaded->Standards_get());
  auto back = loaded->Standards_get()->Find(0, IEC62353, "CF");
  ASSERT_TRUE(back);
  EXPECT_THAT(keysOf(*back), ElementsAre("::B", "::BF", "::CF"));
  EXPECT_EQ(highOf(*back, "::CF"), 10.5f);
  EXPECT_EQ(back->Flag_get(), 1);
}

TEST_F(CLimitDataTest, AReadingFailsTheSelectedStandardsWhoseLimitItExceeds) {
  entry->catalogue[{800, IEC62353, "CF"}] = standardWith(IEC62353, "CF", {{"::CF", "10", ""}});
  entry->catalogue[{800, IEC60601, "CF"}] = standardWith(IEC60601, "CF", {{"::CF", "50", ""}});
  data->CreateStandard(IEC62353, "CF");
  data->CreateStandard(IEC60601, "CF");
  auto selected = host_api::hostServices().classes.newStandards();
  selected->Add(standardWith(IEC62353, "CF", {}));
  selected->Add(standardWith(IEC60601, "CF", {}));

  auto failedBy = [&](platform::Variant value, const std::string& key = "::CF") {
    FakeMeasurement reading(key, std::move(value));
    auto failed = data->FindFailedStandards(&reading, selected.get());
    std::vector<int32_t> ids;
    for (int32_t i = 1; failed && i <= failed->Count(); ++i) {
      ids.push_back(failed->Item(i)->StandardID_get());
    }
    return ids;
  };
  EXPECT_THAT(failedBy(9.5f), IsEmpty());
  EXPECT_THAT(failedBy(20.0f), ElementsAre(IEC62353));
  // Over range and overflow are beyond every high limit, whatever their form.
  EXPECT_THAT(failedBy("OL"), ElementsAre(IEC62353, IEC60601));
  EXPECT_THAT(failedBy(99999.0f), ElementsAre(IEC62353, IEC60601));
  EXPECT_THAT(failedBy("99999"), ElementsAre(IEC62353, IEC60601));
  // A key no standard holds has nothing to fail.
  EXPECT_THAT(failedBy(500.0f, "::B_DC"), IsEmpty());

  // Only the selected standards are judged, and only those this element holds.
  auto onlyOne = host_api::hostServices().classes.newStandards();
  onlyOne->Add(standardWith(IEC60601, "CF", {}));
  onlyOne->Add(standardWith(IEC60601, "B", {}));
  FakeMeasurement high("::CF", 20.0f);
  EXPECT_EQ(data->FindFailedStandards(&high, onlyOne.get()), nullptr);
  EXPECT_EQ(data->FindFailedStandards(nullptr, selected.get()), nullptr);
  EXPECT_EQ(CLimitData().FindFailedStandards(&high, selected.get()), nullptr);
}

TEST_F(CLimitDataTest, PrintingHandsTheStandardsToTheReadingsPrintedNext) {
  MReportStandards::Override reportStandards;
  data->CreateStandard(IEC62353, "CF");
  data->CreateStandard(IEC60601, "CF");
  data->PrintReport(nullptr, nullptr);
  ASSERT_EQ(MReportStandards::Slot().size(), 3u);
  EXPECT_EQ(MReportStandards::Slot()[0]->StandardID_get(), IEC62353);
  EXPECT_EQ(MReportStandards::Slot()[2], nullptr);
}

TEST_F(CLimitDataTest, TheEditorShowsTheKeysAndFollowsAConfigurationChange) {
  offerEditor();
  data->CreateStandard(IEC62353, "CF");
  auto dialog = data->CreateDialog();
  auto editor = editorOf(dialog);
  ASSERT_TRUE(editor);
  EXPECT_THAT(rowKeys(*editor), ElementsAre("::B", "::BF", "::CF"));
  EXPECT_EQ(editor->rows()[1].description, "Body Float");
  EXPECT_EQ(editor->rows()[1].unit, "uA");
  EXPECT_EQ(editor->limitData(), data);

  auto member = std::make_shared<FakeTestElement>(810);
  config->Test_get()->MeasType_let(2);
  data->RefreshEditor(element.get(), member.get(), false);  // a member's change is its own
  EXPECT_THAT(rowKeys(*editor), ElementsAre("::B", "::BF", "::CF"));

  data->RefreshEditor(element.get(), element.get(), false);
  EXPECT_THAT(rowKeys(*editor), ElementsAre("::B_DC", "::BF_DC", "::CF_DC"));
  EXPECT_EQ(editor->flags(), 9);
  // The values of keys that no longer apply are gone, and none were entered for the new ones.
  EXPECT_THAT(keysOf(*data->Standards_get()->Item(1)), IsEmpty());

  dialog->Unload();
  config->Test_get()->MeasType_let(1);
  data->RefreshEditor(element.get(), element.get(), true);  // no editor open any more
  EXPECT_THAT(rowKeys(*editor), ElementsAre("::B_DC", "::BF_DC", "::CF_DC"));
}

TEST_F(CLimitDataTest, NoDialogWithoutEditorOrEditableLimits) {
  EXPECT_EQ(data->CreateDialog(), nullptr);  // the host offers no editor
  offerEditor();
  auto ecg = limits_test::multiTest(1900);
  data->SetOwner(ecg, true);
  EXPECT_FALSE(data->HasDialog_get());
  EXPECT_EQ(data->CreateDialog(), nullptr);

  auto broken = limits_test::multiTest(800);
  broken->failTestId = true;
  data->SetOwner(broken, true);
  EXPECT_FALSE(data->HasDialog_get());
}

TEST_F(CLimitDataTest, AClonesStandardsAreItsOwn) {
  data->CreateStandard(IEC62353, "CF");
  data->SetOwner(element, false);
  auto clone = std::dynamic_pointer_cast<CLimitData>(data->Clone());
  ASSERT_TRUE(clone);
  EXPECT_FALSE(clone->HasDialog_get());
  ASSERT_EQ(clone->Standards_get()->Count(), 1);
  EXPECT_NE(clone->Standards_get()->Item(1), data->Standards_get()->Item(1));
  clone->Standards_get()->Clear();
  EXPECT_EQ(data->Standards_get()->Count(), 1);

  data->Terminate();
  EXPECT_EQ(data->Standards_get(), nullptr);
  EXPECT_EQ(data->Owner_get(), nullptr);
}
