#include <gtest/gtest.h>

#include "ModuleTestSupport.h"
#include "host_api/IProperties.h"
#include "plugin/modules/MModuleLine.h"
#include "plugin/modules/MModuleUtils.h"
#include "support/ExpectError.h"

using namespace plugin;
using modules_test::ModulesTest;
using Sockets = std::vector<int32_t>;
namespace PropertyError = host_api::PropertyError;

namespace {
// The host sets a device's applied parts through the setup's settings by name.
class ModuleLineTest : public ModulesTest {
 protected:
  void SetUp() override {
    ModulesTest::SetUp();
    setup = std::make_shared<CModuleSetup>();
    setup->Nomenclature_let(CModuleSetup::NomenclatureIEC);
    properties = std::dynamic_pointer_cast<host_api::IProperties>(
        std::static_pointer_cast<host_api::IConfigData>(setup));
    ASSERT_TRUE(properties);
  }

  void setModules(const std::string& line) { properties->PropertyText_let("Modules", line); }

  // The line must be refused naming `item`, and the setup stay exactly as it was.
  void expectRefused(const std::string& line, const std::string& item) {
    const std::string before = saved(*setup);
    auto error = expectComError([&] { setModules(line); });
    EXPECT_EQ(error.number(), PropertyError::InvalidValue) << line;
    EXPECT_EQ(error.source(), "orvelTRX440.CModuleSetup");
    EXPECT_NE(error.description().find("item \"" + item + "\""), std::string::npos)
        << error.description();
    EXPECT_EQ(saved(*setup), before) << line;
  }

  std::shared_ptr<CModuleSetup> setup;
  std::shared_ptr<host_api::IProperties> properties;
};
}  // namespace

TEST_F(ModuleLineTest, ModulesTakeTheSocketsInTheOrderGiven) {
  setModules("ECG:CF:3, SpO2:bf:1");
  ASSERT_EQ(setup->Count_get(), 2);
  auto ecg = setup->Item(1);
  auto spo2 = setup->Item(2);
  EXPECT_EQ(ecg->Code_get(), "ECG");
  EXPECT_EQ(ecg->ClassID_get(), MModuleUtils::ClassCF);
  EXPECT_EQ(ecg->Leads_get(), 3);
  EXPECT_EQ(ecg->FirstLead_get(), 1);
  EXPECT_EQ(spo2->Code_get(), "SpO2");
  EXPECT_EQ(spo2->ClassID_get(), MModuleUtils::ClassBF);
  EXPECT_EQ(spo2->FirstLead_get(), 4);
  EXPECT_EQ(setup->PostPositions(MModuleUtils::ClassCF, -1), (Sockets{1, 2, 3}));
  EXPECT_EQ(setup->PostPositions(0, -1), (Sockets{1, 2, 3, 4}));
  EXPECT_EQ(properties->PropertyText_get("Modules"), "ECG:CF:3,SpO2:BF:1");
  EXPECT_EQ(properties->PropertyText_get("UsedLeads"), "4");
  EXPECT_EQ(properties->PropertyText_get("FreeLeads"), "1");
}

TEST_F(ModuleLineTest, NamesJoinedByABarAreInterchangeableModulesOnTheSameSockets) {
  setModules("Probe:B:1,ECG 3-lead|ECG 5-lead:CF:3");
  ASSERT_EQ(setup->Count_get(), 2);
  auto group = std::dynamic_pointer_cast<CModuleGroup>(setup->Item(2));
  ASSERT_TRUE(group);
  EXPECT_EQ(group->FirstLead_get(), 2);
  ASSERT_EQ(group->Count_get(), 2);
  for (const auto& member : group->NewEnum()) {
    EXPECT_EQ(member->Leads_get(), 3);
    EXPECT_EQ(member->ClassID_get(), MModuleUtils::ClassCF);
    EXPECT_EQ(member->GroupID_get(), group->ModuleID_get());
    EXPECT_TRUE(member->InGroup_get());
  }
  EXPECT_EQ(group->Item(2)->Code_get(), "ECG 5-lead");
  // Ids stay unique across entries and members, and the counter is past all of them.
  EXPECT_EQ(setup->HighestModuleID(), 4);
  EXPECT_EQ(setup->PostPositions(0, -1), (Sockets{1, 2, 3, 4}));

  // What is set is what is stored and read back.
  auto root = owner();
  setup->Save(*root);
  auto loaded = std::make_shared<CModuleSetup>();
  loaded->Load(*root->child(0), nullptr);
  EXPECT_EQ(MModuleLine::Format(*loaded), "Probe:B:1,ECG 3-lead|ECG 5-lead:CF:3");
}

TEST_F(ModuleLineTest, ALineThatTheAnalyzerCannotTakeIsRefusedWholeNamingTheItem) {
  setModules("ECG:CF:3,SpO2:BF:1");
  expectRefused("ECG:CF:3,SpO2:BF:3", "SpO2:BF:3");  // sockets 4 to 6
  expectRefused("ECG:XF:3", "ECG:XF:3");             // no such class
  expectRefused("ECG:CF:0", "ECG:CF:0");             // no leads
  expectRefused("ECG:CF:6", "ECG:CF:6");             // more than the sockets
  expectRefused("ECG:CF:two", "ECG:CF:two");         // not a number
  expectRefused("Probe:B:1,ECG:CF", "ECG:CF");       // a field missing
  expectRefused("ECG:CF:1:2", "ECG:CF:1:2");         // a field too many
  expectRefused(" :CF:1", ":CF:1");                  // no name
  expectRefused("A||B:CF:1", "A||B:CF:1");           // a group member without a name
  expectRefused("ECG:CF:3,", "");                    // an empty item
}

TEST_F(ModuleLineTest, ClassesFollowTheSetupsNomenclature) {
  // An AAMI class in an IEC setup would never be selected for a test.
  expectRefused("ECG:NI:2", "ECG:NI:2");
  properties->PropertyText_let("Nomenclature", "aami");
  setModules("ECG:NI:2,Probe:I:1");
  EXPECT_EQ(properties->PropertyText_get("Modules"), "ECG:NI:2,Probe:I:1");
  expectRefused("SpO2:BF:1", "SpO2:BF:1");

  // Back to IEC, the modules' classes go with it.
  properties->PropertyText_let("Nomenclature", "0");
  EXPECT_EQ(properties->PropertyText_get("Modules"), "ECG:B:2,Probe:CF:1");
}

TEST_F(ModuleLineTest, AnEmptyLineRemovesTheModulesAndNewModulesNeverReuseAnId) {
  setModules("ECG:CF:3,SpO2:BF:1");
  setModules("");
  EXPECT_EQ(setup->Count_get(), 0);
  EXPECT_EQ(properties->PropertyText_get("Modules"), "");
  setModules("Probe:B:2");
  EXPECT_EQ(setup->Item(1)->ModuleID_get(), 3);
}

TEST_F(ModuleLineTest, NewModulesKeepTheDescriptiveFieldsOfTheSetupsModules) {
  setup->Add(module("Old", 1, 1, MModuleUtils::ClassB, "SN-1"));
  setModules("ECG:CF:3");
  auto info = setup->Item(1)->ModuleInfo_get();
  ASSERT_TRUE(info);
  ASSERT_TRUE(info->Item("Serial"));
  EXPECT_EQ(info->Item("Serial")->Value_get(), "");
  EXPECT_EQ(info->Item("Name")->Value_get(), "ECG");
}

TEST_F(ModuleLineTest, AReadOnlySetupAndItsCountsCannotBeSet) {
  setModules("ECG:CF:3");
  setup->ReadOnly_let(true);
  auto error = expectComError([&] { setModules("Probe:B:1"); });
  EXPECT_EQ(error.number(), PropertyError::InvalidValue);
  EXPECT_NE(error.description().find("read-only"), std::string::npos);
  EXPECT_EQ(expectComError([&] { properties->PropertyText_let("Nomenclature", "AAMI"); }).number(),
            PropertyError::InvalidValue);
  EXPECT_EQ(properties->PropertyText_get("Modules"), "ECG:CF:3");

  error = expectComError([&] { properties->PropertyText_let("FreeLeads", "5"); });
  EXPECT_EQ(error.number(), PropertyError::ReadOnly);
  EXPECT_EQ(properties->PropertyRange_get("UsedLeads"), "read-only");
  EXPECT_EQ(properties->Property_get("ReadOnly"), platform::Variant(true));
}

TEST_F(ModuleLineTest, ModulesSetOnTheDevicesSetupReachThePlugInsRunningCopy) {
  auto entry = std::make_shared<modules_test::StandInPlugIn>();
  PlugInReferenceOverride registered(entry);
  entry->DUTModuleSetup_set(setup);
  setModules("ECG:CF:3");
  ASSERT_TRUE(entry->CurrentModuleSetup_get());
  EXPECT_NE(entry->CurrentModuleSetup_get(), setup);
  EXPECT_EQ(MModuleLine::Format(*entry->CurrentModuleSetup_get()), "ECG:CF:3");
  properties->PropertyText_let("Nomenclature", "AAMI");
  EXPECT_EQ(MModuleLine::Format(*entry->CurrentModuleSetup_get()), "ECG:I:3");

  // Any other setup is the element's own business.
  entry->CurrentModuleSetup_set(nullptr);
  auto other = std::make_shared<CModuleSetup>();
  std::dynamic_pointer_cast<host_api::IProperties>(
      std::static_pointer_cast<host_api::IConfigData>(other))
      ->PropertyText_let("Modules", "Probe:B:1");
  EXPECT_FALSE(entry->CurrentModuleSetup_get());
}
