#include <gtest/gtest.h>

#include "ConfigFixture.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/CModuleSetup.h"
#include "support/ExpectError.h"

using namespace plugin;

namespace {
class ModuleOptionsTest : public ConfigFixture {
 protected:
  static std::shared_ptr<CModule> moduleOnLeads(int32_t firstLead, int32_t leads) {
    auto module = std::make_shared<CModule>();
    module->ClassID_let(2);
    module->FirstLead_let(firstLead);
    module->Leads_let(leads);
    return module;
  }
  static std::vector<std::string> filterOf(const CCfgModuleOptions& options) {
    std::vector<std::string> items;
    for (int32_t i = 1; i <= options.Filter_get()->Count_get(); ++i) {
      auto item = options.Filter_get()->Item(i);
      items.push_back(item ? item->Name_get() + "=" + item->Value_get() : "(empty)");
    }
    return items;
  }
};
}  // namespace

TEST_F(ModuleOptionsTest, AMissingOrEmptyOverrideReadsAsOverriding) {
  CCfgModuleOptions options;
  for (auto [stored, expected] : {std::pair{"<ModuleOptions/>", true},
                                  {"<ModuleOptions Override=''/>", true},
                                  {"<ModuleOptions Override='False'/>", false},
                                  {"<ModuleOptions Override='false'/>", false}}) {
    options.Load(*parse(stored), nullptr);
    EXPECT_EQ(options.OverridePatientLead_get(), expected) << stored;
  }
}

TEST_F(ModuleOptionsTest, FlagsFilterAndModuleSetupAreStoredAndReadBack) {
  CCfgModuleOptions options;
  options.TestSeparately_let(true);
  options.StopAtNew_let(true);
  options.Filter_get()->Add("Ward", "ICU");
  options.Filter_get()->Add("Type", "ECG");
  options.ModuleSeup_get()->Add(moduleOnLeads(1, 2));
  auto saved = options.Save(*newOwner());
  const std::string text = savedText();
  EXPECT_NE(text.find("<ModuleOptions Sep=\"True\" Exp=\"False\" Stop=\"True\" "
                      "Override=\"True\">"),
            std::string::npos)
      << text;

  CCfgModuleOptions loaded;
  loaded.Load(*saved, nullptr);
  EXPECT_TRUE(loaded.TestSeparately_get());
  EXPECT_FALSE(loaded.ExpandGroups_get());
  EXPECT_EQ(filterOf(loaded), (std::vector<std::string>{"Ward=ICU", "Type=ECG"}));
  EXPECT_EQ(loaded.ModuleSeup_get()->Count_get(), 1);
  loaded.Save(*newOwner());
  EXPECT_EQ(savedText(), text);
}

TEST_F(ModuleOptionsTest, ChildrenThatAreNoFilterItemsDoNotRestrictTheModules) {
  CCfgModuleOptions options;
  options.Load(*parse("<ModuleOptions><Note>made by hand</Note>"
                      "<FilterItem Name='Ward'>ICU</FilterItem><FilterItem>orphan</FilterItem>"
                      "</ModuleOptions>"),
               nullptr);
  EXPECT_EQ(filterOf(options), std::vector<std::string>{"Ward=ICU"});
  options.Load(*parse("<ModuleOptions><Note/></ModuleOptions>"), nullptr);
  EXPECT_TRUE(options.Filter_get()->IsEmpty());
}

TEST_F(ModuleOptionsTest, ACloneCanBeChangedWithoutTouchingTheFilterOrSetupOfItsSource) {
  CCfgModuleOptions options;
  options.Filter_get()->Add("Ward", "ICU");
  options.ModuleSeup_get()->Add(moduleOnLeads(1, 1));
  auto copy = options.Clone();
  EXPECT_NE(copy->Filter_get(), options.Filter_get());
  EXPECT_NE(copy->ModuleSeup_get(), options.ModuleSeup_get());
  copy->Filter_get()->Add("Type", "ECG");
  copy->ModuleSeup_get()->Add(moduleOnLeads(2, 2));
  copy->Filter_get()->Item(1)->Value_let("OR");
  EXPECT_EQ(filterOf(options), std::vector<std::string>{"Ward=ICU"});
  EXPECT_EQ(options.ModuleSeup_get()->Count_get(), 1);
  EXPECT_EQ(copy->ModuleSeup_get()->Count_get(), 2);
}

TEST_F(ModuleOptionsTest, ABadModuleSetupFailsTheGroupConfigurationWithTheModulesError) {
  CConfigTestGroup config;
  auto error = expectComError([&] {
    config.Load(*parse("<PlugInData><EnableBtn Skip='True'/>"
                       "<ModuleOptions Sep='True'><PlugInData PlugIn='TRX440'/></ModuleOptions>"
                       "<TestOptions><Run Opt='True'/></TestOptions></PlugInData>"),
                nullptr);
  });
  EXPECT_EQ(error.number(), MPlugInErrors::errModuleLoad);
  EXPECT_EQ(error.source(), "orvelTRX440.CModuleSetup");
  // The records before the failure keep what they read.
  EXPECT_TRUE(config.Buttons_get()->EnableSkip_get());
  EXPECT_FALSE(config.Buttons_get()->EnableNA_get());
  EXPECT_TRUE(config.Modules_get()->TestSeparately_get());
  EXPECT_EQ(config.Modules_get()->ModuleSeup_get()->Count_get(), 0);
}
