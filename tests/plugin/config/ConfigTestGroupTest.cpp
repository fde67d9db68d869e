#include <gtest/gtest.h>

#include "ConfigDoubles.h"
#include "ConfigFixture.h"
#include "host/HostReport.h"
#include "plugin/config/CConfigTestGroup.h"

using namespace plugin;
using config_test::FakeTestElement;

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

  // The configuration of an element of `elementType` (inside `parent`), printed into the
  // host's report.
  host::HostReport printed(int32_t elementType,
                           const std::shared_ptr<FakeTestElement>& parent = {}) {
    auto owner = std::make_shared<FakeTestElement>(elementType);
    owner->Parent_set(parent);
    config->Owner_set(owner);
    host::HostReport report;
    report.UsableWidth_let(9000);
    config->PrintReport(&report);
    return report;
  }
  // The one row printed, or "" when nothing was.
  static std::string rowOf(const host::HostReport& report) {
    if (report.tables().empty()) return "";
    EXPECT_EQ(report.tables().size(), 1u);
    EXPECT_EQ(report.tables()[0].body.size(), 1u);
    return report.tables()[0].body.at(0).at(0).text;
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

TEST_F(ConfigTestGroupTest, ItIsSavedAsThePlugInsDataWithItsRecordsInOrderAndReadBack) {
  config->ValueFilter_let(CConfigTestGroup::ValueFilterMin);
  config->Buttons_get()->EnableSkip_let(false);
  config->Modules_get()->OverridePatientLead_let(false);
  config->Test_get()->IRDuration_let(33);
  auto saved = config->Save(*newOwner());
  EXPECT_EQ(saved->getAttribute("PlugIn"), "TRX440");
  std::vector<std::string> names;
  for (const auto& child : saved->children()) names.push_back(child->tagName());
  EXPECT_EQ(names,
            (std::vector<std::string>{"ValueFilter", "EnableBtn", "ModuleOptions", "TestOptions"}));
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
  EXPECT_EQ(rowOf(printed(300)), "      Total Leakage:Yes");
  EXPECT_EQ(rowOf(printed(800)), "      Test Voltage:250V");
  EXPECT_EQ(rowOf(printed(900)), "      Applied Parts:Open");
  config->Test_get()->AppliedParts_let(1);
  EXPECT_EQ(rowOf(printed(1000)), "      Applied Parts:To ground");
  config->Test_get()->TotalLeakage_let(false);
  EXPECT_EQ(rowOf(printed(300)), "      Total Leakage:No");
  config->Test_get()->TestVoltage_let(2);
  EXPECT_EQ(rowOf(printed(800)), "      Test Voltage:500V");
  EXPECT_TRUE(printed(1900).tables().empty());
}

TEST_F(ConfigTestGroupTest, AConfigurationTableComesWithItsHeaderAndSettings) {
  const host::HostReport report = printed(300);
  ASSERT_EQ(report.tables().size(), 1u);
  const host::ReportTable& table = report.tables()[0];
  EXPECT_EQ(table.settings, (std::vector<int32_t>{10, 0, 1}));
  ASSERT_EQ(table.header.size(), 1u);
  EXPECT_EQ(table.header[0], (host::ReportTable::Row{{"Configuration", true, true}}));
  ASSERT_EQ(table.columns.size(), 1u);
  EXPECT_EQ(table.columns[0].width, 4500);
}

TEST_F(ConfigTestGroupTest, ASequencePrintsItsDelayOnlyInsideASequenceOfThisPlugIn) {
  config->Test_get()->PolaritySwitchingDelay_let(4);
  EXPECT_EQ(rowOf(printed(100)), "");
  EXPECT_EQ(rowOf(printed(100, std::make_shared<FakeTestElement>(100, "OTHER"))), "");
  EXPECT_EQ(rowOf(printed(100, std::make_shared<FakeTestElement>(1100))), "");

  const host::HostReport nested = printed(100, std::make_shared<FakeTestElement>(100));
  EXPECT_EQ(rowOf(nested), "      Polarity Switching Delay:4(s)");
  EXPECT_EQ(nested.tables().at(0).columns.at(0).width, 9000);
}

TEST_F(ConfigTestGroupTest, NothingIsPrintedWithoutAReportOrAnOwner) {
  config->PrintReport(nullptr);
  host::HostReport report;
  config->PrintReport(&report);
  auto owner = std::make_shared<FakeTestElement>(300);
  config->Owner_set(owner);
  owner.reset();
  config->PrintReport(&report);
  EXPECT_TRUE(report.tables().empty());
}
