#include <gtest/gtest.h>

#include "ConfigDoubles.h"
#include "ConfigFixture.h"
#include "plugin/config/CConfigTestGroup.h"

using namespace plugin;
using config_test::FakeTestElement;
using config_test::RecordingReport;

namespace {
class ConfigTestGroupTest : public ConfigFixture {
 protected:
  void SetUp() override {
    ConfigFixture::SetUp();
    config = std::make_unique<CConfigTestGroup>();
  }

  std::shared_ptr<CConfigTestGroup> reloaded(const CConfigTestGroup& source) {
    auto saved = source.Save(*newOwner());
    auto copy = std::make_shared<CConfigTestGroup>();
    copy->Load(*saved, nullptr);
    return copy;
  }

  // The configuration of an element of `elementType`, printed.
  RecordingReport printed(int32_t elementType,
                          const std::shared_ptr<FakeTestElement>& parent = {}) {
    auto owner = std::make_shared<FakeTestElement>(elementType);
    owner->Parent_set(parent);
    config->Owner_set(owner);
    RecordingReport report;
    config->PrintReport(&report);
    return report;
  }
  static std::string rowOf(const RecordingReport& report) {
    return report.tables.empty() ? "" : report.tables.at(0).body;
  }

  std::unique_ptr<CConfigTestGroup> config;  // made once the host is installed
};
}  // namespace

TEST_F(ConfigTestGroupTest, TheValueFilterIsStoredAsTextAndReadBack) {
  for (auto [filter, text] : {std::pair{CConfigTestGroup::ValueFilterMin, "Min"},
                              {CConfigTestGroup::ValueFilterMax, "Max"},
                              {CConfigTestGroup::ValueFilterNone, "None"}}) {
    config->ValueFilter_let(filter);
    auto saved = config->Save(*newOwner());
    EXPECT_EQ(saved->findChild("ValueFilter")->text(), text);
    EXPECT_EQ(reloaded(*config)->ValueFilter_get(), filter) << text;
  }
  for (const char* stored : {"max", "Maximum", "", "2"}) {
    config->Load(
        *parse(std::string("<PlugInData><ValueFilter>") + stored + "</ValueFilter></PlugInData>"),
        nullptr);
    EXPECT_EQ(config->ValueFilter_get(), CConfigTestGroup::ValueFilterNone) << stored;
  }
}

TEST_F(ConfigTestGroupTest, ItIsSavedAsThePlugInsDataWithItsRecordsInOrder) {
  auto saved = config->Save(*newOwner());
  EXPECT_EQ(saved->tagName(), "PlugInData");
  EXPECT_EQ(saved->getAttribute("PlugIn"), "TRX440");
  std::vector<std::string> names;
  for (const auto& child : saved->children()) names.push_back(child->tagName());
  EXPECT_EQ(names,
            (std::vector<std::string>{"ValueFilter", "EnableBtn", "ModuleOptions", "TestOptions"}));
}

TEST_F(ConfigTestGroupTest, ARoundTripKeepsEveryRecord) {
  config->ValueFilter_let(CConfigTestGroup::ValueFilterMin);
  config->Buttons_get()->EnableSkip_let(false);
  config->Modules_get()->StopAtNew_let(true);
  config->Modules_get()->OverridePatientLead_let(false);
  config->Test_get()->HaltOnTestFailure_let(false);
  config->Test_get()->IRDuration_let(33);
  config->Save(*newOwner());
  const std::string first = savedText();
  reloaded(*config)->Save(*newOwner());
  EXPECT_EQ(savedText(), first);
}

TEST_F(ConfigTestGroupTest, AnElementWithoutChildrenLoadsNewRecords) {
  config->ValueFilter_let(CConfigTestGroup::ValueFilterMax);
  config->Test_get()->Optimized_let(false);
  config->Buttons_get()->EnableNA_let(false);
  config->Load(*parse("<Other/>"), nullptr);
  EXPECT_EQ(config->ValueFilter_get(), CConfigTestGroup::ValueFilterNone);
  EXPECT_TRUE(config->Test_get()->Optimized_get());
  EXPECT_TRUE(config->Buttons_get()->EnableNA_get());
}

TEST_F(ConfigTestGroupTest, OnlyAWholeSequenceKeepsItsTestsOptimized) {
  config->Owner_set(std::make_shared<FakeTestElement>(100));
  EXPECT_TRUE(config->Test_get()->Optimized_get());
  auto single = std::make_shared<FakeTestElement>(300);
  config->Owner_set(single);
  EXPECT_FALSE(config->Test_get()->Optimized_get());
  // Loading new records does not give the element back what it cannot run.
  config->Load(*parse("<PlugInData/>"), nullptr);
  EXPECT_FALSE(config->Test_get()->Optimized_get());
}

TEST_F(ConfigTestGroupTest, ACloneIsDeepKeepsTheValueFilterAndHasNoOwner) {
  config->ValueFilter_let(CConfigTestGroup::ValueFilterMax);
  config->Owner_set(std::make_shared<FakeTestElement>(100));
  auto copy = std::dynamic_pointer_cast<CConfigTestGroup>(config->Clone());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->ValueFilter_get(), CConfigTestGroup::ValueFilterMax);
  EXPECT_EQ(copy->Owner_get(), nullptr);
  copy->Test_get()->TotalLeakage_let(true);
  copy->Modules_get()->TestSeparately_let(true);
  copy->Buttons_get()->EnableStep_let(false);
  EXPECT_FALSE(config->Test_get()->TotalLeakage_get());
  EXPECT_FALSE(config->Modules_get()->TestSeparately_get());
  EXPECT_TRUE(config->Buttons_get()->EnableStep_get());
}

TEST_F(ConfigTestGroupTest, TheReportRowDependsOnTheOwnersElementType) {
  config->Test_get()->TotalLeakage_let(true);
  config->Test_get()->TestVoltage_let(1);
  EXPECT_EQ(rowOf(printed(300)), "|      TRX440:20717::Total Leakage:TRX440:20002::Yes;");
  EXPECT_EQ(rowOf(printed(800)), "|      TRX440:20718::Test Voltage:TRX440:20756::250V;");
  EXPECT_EQ(rowOf(printed(900)), "|      TRX440:20767::Applied Parts:TRX440:20768::Open;");
  config->Test_get()->AppliedParts_let(1);
  EXPECT_EQ(rowOf(printed(1000)), "|      TRX440:20767::Applied Parts:TRX440:20769::To ground;");
  config->Test_get()->TotalLeakage_let(false);
  EXPECT_EQ(rowOf(printed(300)), "|      TRX440:20717::Total Leakage:TRX440:20003::No;");
  config->Test_get()->TestVoltage_let(2);
  EXPECT_EQ(rowOf(printed(800)), "|      TRX440:20718::Test Voltage:TRX440:20755::500V;");

  const RecordingReport unlisted = printed(1900);
  EXPECT_TRUE(unlisted.tables.empty());
  EXPECT_TRUE(unlisted.settings.empty());
}

TEST_F(ConfigTestGroupTest, AConfigurationTableComesWithItsHeaderAndSettings) {
  const RecordingReport report = printed(300);
  EXPECT_EQ(report.settings, (std::vector<int32_t>{10, 0, 1}));
  ASSERT_EQ(report.tables.size(), 1u);
  EXPECT_EQ(report.tables[0].header, "|{\\i\\b TRX440:310::Configuration};");
  EXPECT_EQ(report.tables[0].layout, "<4500;");
}

TEST_F(ConfigTestGroupTest, ASequencePrintsItsDelayOnlyInsideASequenceOfThisPlugIn) {
  config->Test_get()->PolaritySwitchingDelay_let(4);
  EXPECT_TRUE(printed(100).tables.empty());
  EXPECT_TRUE(printed(100, std::make_shared<FakeTestElement>(100, "OTHER")).tables.empty());
  EXPECT_TRUE(printed(100, std::make_shared<FakeTestElement>(1100)).tables.empty());

  const RecordingReport nested = printed(100, std::make_shared<FakeTestElement>(100));
  ASSERT_EQ(nested.tables.size(), 1u);
  EXPECT_EQ(nested.tables[0].body, "|      TRX440:20791::Polarity Switching Delay:4(s);");
  EXPECT_EQ(nested.tables[0].layout, "<9000;");
}

TEST_F(ConfigTestGroupTest, NothingIsPrintedWithoutAReportOrAnOwner) {
  config->PrintReport(nullptr);
  RecordingReport report;
  config->PrintReport(&report);
  EXPECT_TRUE(report.tables.empty());
  auto owner = std::make_shared<FakeTestElement>(300);
  config->Owner_set(owner);
  owner.reset();
  config->PrintReport(&report);
  EXPECT_TRUE(report.tables.empty());
}
