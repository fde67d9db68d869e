#include <gtest/gtest.h>

#include "host/HostReport.h"
#include "plugin/modules/ModuleTestSupport.h"
#include "plugin/results/CResultData.h"
#include "plugin/results/CResultTestGroup.h"

using namespace plugin;
using modules_test::ModulesTest;
using platform::Variant;

namespace {

class ResultModuleSetupTest : public ModulesTest {
 protected:
  std::shared_ptr<CModuleSetup> twoModules() {
    auto setup = std::make_shared<CModuleSetup>();
    setup->Add(module("ECG", 2, 1, 2, "S-1"));
    setup->Add(module("Probe | 1", 1, 3, 3));
    return setup;
  }
  std::shared_ptr<modules_test::StandInPlugIn> entry =
      std::make_shared<modules_test::StandInPlugIn>();
  PlugInReferenceOverride registered{entry};
};

}  // namespace

TEST_F(ResultModuleSetupTest, LoadTakesOverTheEntrysModuleSetupOnce) {
  entry->current = twoModules();
  CResultData first;
  first.Load(*parse("<ResultItem/>"), nullptr);
  ASSERT_TRUE(first.ModuleSetup_get());
  EXPECT_NE(first.ModuleSetup_get(), entry->current);
  EXPECT_EQ(first.ModuleSetup_get()->Count_get(), 2);
  EXPECT_EQ(entry->current, nullptr);
  EXPECT_TRUE(first.HasDialog_get());

  CResultTestGroup second;
  second.Load(*parse("<ResultItem/>"), nullptr);
  EXPECT_EQ(second.ModuleSetup_get(), nullptr);
  EXPECT_FALSE(second.HasDialog_get());

  // An empty setup is not handed over and stays with the entry.
  entry->current = std::make_shared<CModuleSetup>();
  second.Load(*parse("<ResultItem/>"), nullptr);
  EXPECT_EQ(second.ModuleSetup_get(), nullptr);
  EXPECT_NE(entry->current, nullptr);
}

TEST_F(ResultModuleSetupTest, StoredModuleSetupComesBackWithTheResult) {
  CResultData result;
  result.ModuleSetup_set(twoModules());
  result.Comment_let("c");
  auto root = owner();
  result.Save(*root);
  CResultData loaded;
  loaded.Load(*parse(root->ownerDocument()->toString())->child(0), nullptr);
  ASSERT_TRUE(loaded.ModuleSetup_get());
  EXPECT_EQ(saved(*loaded.ModuleSetup_get()), saved(*result.ModuleSetup_get()));
}

TEST_F(ResultModuleSetupTest, ModuleTablePrintsBeforeTheReadings) {
  CResultTestGroup group;
  group.Load(*parse(R"(<ResultItem><Measurement Key="::ST"><Description>Group</Description>)"
                    R"(<Value type="4">1.5</Value></Measurement></ResultItem>)"),
             nullptr);
  group.ModuleSetup_set(twoModules());
  host::HostReport report;
  group.PrintReport(&report, nullptr);
  ASSERT_EQ(report.tables().size(), 2u);
  ASSERT_EQ(report.tables()[0].body.size(), 2u);
  EXPECT_NE(report.tables()[0].body[1][0].text.find("Probe   1"), std::string::npos);
  ASSERT_EQ(report.tables()[1].body.size(), 1u);
  EXPECT_EQ(report.tables()[1].body[0][0].text, "      Group");
  EXPECT_EQ(report.tables()[1].body[0][1].text, "1.5");
}

TEST_F(ResultModuleSetupTest, DialogOfAControlThatIsNotThereFailsCleanly) {
  auto result = std::make_shared<CResultData>();
  EXPECT_EQ(result->CreateDialog(), nullptr);
  ASSERT_EQ(reported().size(), 1u);
  EXPECT_EQ(reported()[0].number(), 429);
  auto group = std::make_shared<CResultTestGroup>();
  EXPECT_EQ(group->CreateDialog(), nullptr);
}
