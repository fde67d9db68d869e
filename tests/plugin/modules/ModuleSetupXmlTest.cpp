#include <limits>

#include "ModuleTestSupport.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/modules/MModuleUtils.h"
#include "support/ExpectError.h"

using namespace plugin;
using modules_test::ModulesTest;
using Sockets = std::vector<int32_t>;

namespace {
class ModuleSetupXmlTest : public ModulesTest {
 protected:
  // ECG (B, 1-2) with texts that mean something to XML and to the report; a group of two
  // cables (CF, 3); a probe (CF, 5).
  void fill(CModuleSetup& target) {
    target.Add(module("ECG <12> & \"leads\" | {x};", 2, 1, MModuleUtils::ClassB, "Süd-Nr. ½ µA"));
    auto group = std::make_shared<CModuleGroup>();
    group->FirstLead_let(3);
    target.Add(group);
    group->Add(module("Cable A", 1, 3, MModuleUtils::ClassCF), target.NextModuleID());
    group->Add(module("Cable B", 1, 3, MModuleUtils::ClassCF), target.NextModuleID());
    target.Add(module("Probe", 1, 5, MModuleUtils::ClassCF));
  }

  // Loads `xml` into `setup`, which must fail with `number`; the setup must be as before.
  platform::ComError expectRefused(const std::string& xml, int32_t number) {
    const std::string before = saved(setup);
    auto element = parse(xml);
    auto error = expectComError([&] { setup.Load(*element, &log); });
    EXPECT_EQ(error.number(), number) << xml;
    EXPECT_EQ(saved(setup), before) << xml;
    return error;
  }

  static std::string setupXml(const std::string& modules) {
    return "<PlugInData PlugIn=\"TRX440\"><ModuleSetup>" + modules + "</ModuleSetup></PlugInData>";
  }

  CModuleSetup setup;
  modules_test::RecordingLog log;
};
}  // namespace

TEST_F(ModuleSetupXmlTest, ASavedSetupLoadsBackEqualWithEveryCharacterOfItsTexts) {
  fill(setup);
  setup.ReadOnly_let(true);
  setup.Nomenclature_let(CModuleSetup::NomenclatureAAMI);
  const std::string text = saved(setup);

  CModuleSetup loaded;
  auto document = host_api::hostServices().xml->loadDocumentFromString(text);
  loaded.Load(*document->documentElement()->child(0), &log);
  EXPECT_EQ(saved(loaded), text);
  EXPECT_TRUE(loaded.ReadOnly_get());
  EXPECT_EQ(loaded.Nomenclature_get(), CModuleSetup::NomenclatureAAMI);
  EXPECT_EQ(loaded.Item(1)->Code_get(), "ECG <12> & \"leads\" | {x};");
  EXPECT_EQ(loaded.Item(1)->ModuleInfo_get()->Item("Serial")->Value_get(), "Süd-Nr. ½ µA");
  EXPECT_EQ(loaded.Item(1)->ClassForReport_get(), "NI");
  auto group = std::dynamic_pointer_cast<CModuleGroup>(loaded.Item(2));
  ASSERT_TRUE(group);
  EXPECT_EQ(group->Count_get(), 2);
  EXPECT_EQ(group->Item(0, 4)->GroupID_get(), 2);
  EXPECT_TRUE(group->Item(0, 4)->InGroup_get());
  EXPECT_EQ(loaded.HighestModuleID(), 5);
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(ModuleSetupXmlTest, ElementsAndAttributesAreWrittenInTheirStoredForm) {
  auto contains = [](const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  };
  setup.Add(module("ECG", 2, 1, MModuleUtils::ClassBF));
  const std::string text = saved(setup);
  EXPECT_TRUE(contains(text, "<PlugInData PlugIn=\"TRX440\">")) << text;
  // No ReadOnly, no Nomenclature while they hold their defaults.
  EXPECT_TRUE(contains(text, "<ModuleSetup>")) << text;
  EXPECT_TRUE(contains(text, "<Module ID=\"1\" Class=\"2\" Leads=\"2\" FirstLead=\"1\">"));

  CModuleSetup grouped;
  auto g = std::make_shared<CModuleGroup>();
  grouped.Add(g);
  g->Add(module("A", 1, 1), 2);
  grouped.ReadOnly_let(true);
  grouped.Nomenclature_let(CModuleSetup::NomenclatureAAMI);
  const std::string groupText = saved(grouped);
  EXPECT_TRUE(contains(groupText, "<ModuleSetup ReadOnly=\"True\" Nomenclature=\"1\">"));
  EXPECT_TRUE(contains(groupText,
                       "<Module ID=\"1\" Group=\"True\" Class=\"4\" Leads=\"1\" "
                       "FirstLead=\"0\">"))
      << groupText;
  EXPECT_LT(groupText.find("Group=\"True\""), groupText.find("<Module ID=\"2\""));
}

TEST_F(ModuleSetupXmlTest, MissingAndOddAttributesTakeTheirDefaults) {
  setup.ReadOnly_let(true);
  setup.Load(*parse(setupXml("<Module ID=\"2.9\"/><Module ID=\"4\" Class=\"\" Leads=\"2abc\"/>")),
             &log);
  EXPECT_FALSE(setup.ReadOnly_get());
  EXPECT_EQ(setup.Nomenclature_get(), 0);
  EXPECT_EQ(setup.Item(1)->ModuleID_get(), 2);
  EXPECT_EQ(setup.Item(1)->ClassID_get(), MModuleUtils::ClassB);
  EXPECT_EQ(setup.Item(2)->Leads_get(), 2);
  EXPECT_EQ(setup.HighestModuleID(), 4);

  setup.Load(*parse("<PlugInData PlugIn=\"TRX440\"><ModuleSetup ReadOnly=\"true\" "
                    "Nomenclature=\"1\"/></PlugInData>"),
             &log);
  EXPECT_FALSE(setup.ReadOnly_get());  // only "True" is true
  EXPECT_EQ(setup.Nomenclature_get(), 1);
  EXPECT_EQ(setup.Count_get(), 0);
}

TEST_F(ModuleSetupXmlTest, BadDataIsRefusedByNameAndLeavesTheSetupAsItWas) {
  fill(setup);
  const auto C2 = MPlugInErrors::errModuleLoad;
  const auto C4 = MPlugInErrors::errModuleContent;
  expectRefused("<PlugInData PlugIn=\"TRX441\"><ModuleSetup/></PlugInData>", C2);
  expectRefused("<Settings PlugIn=\"TRX440\"><ModuleSetup/></Settings>", C2);
  expectRefused("<PlugInData PlugIn=\"TRX440\"/>", C2);
  auto error = expectRefused(setupXml("<Module ID=\"1\"/><Note/>"), C2);
  EXPECT_NE(error.description().find("<Note>"), std::string::npos) << error.description();
  EXPECT_EQ(error.source(), "orvelTRX440.CModule");

  error = expectRefused(setupXml("<Module ID=\"1\"/><Module Leads=\"2\"/>"), C4);
  EXPECT_NE(error.description().find("<Module> has no ID"), std::string::npos);
  expectRefused(setupXml("<Module ID=\"one\"/>"), C4);
  error = expectRefused(setupXml("<Module ID=\"1\" Leads=\"99999999999\"/>"), C4);
  EXPECT_NE(error.description().find("\"Leads\" of <Module ID=\"1\"> is out of range"),
            std::string::npos)
      << error.description();
  expectRefused(setupXml("<Module ID=\"1e12\"/>"), C4);

  // Two modules under one id: neither may replace or hide the other.
  error = expectRefused(setupXml("<Module ID=\"3\"/><Module ID=\"3\"/>"), C4);
  EXPECT_NE(error.description().find("Two modules use one ID: <Module ID=\"3\">"),
            std::string::npos);
  expectRefused(setupXml("<Module ID=\"3\" Group=\"True\"><Module ID=\"4\"/><Module ID=\"4\"/>"
                         "</Module>"),
                C4);
  expectRefused(setupXml("<Module ID=\"3\" Group=\"True\"><Module ID=\"4\" Group=\"True\"/>"
                         "</Module>"),
                C4);
  EXPECT_TRUE(reported().empty());
}

TEST_F(ModuleSetupXmlTest, GroupsRebuildWithTheirMembersOwnIds) {
  setup.Load(*parse(setupXml("<Module ID=\"2\" Group=\"True\" Class=\"3\" Leads=\"2\" "
                             "FirstLead=\"1\"><Module ID=\"7\" Class=\"1\" Leads=\"1\"/>"
                             "<Module ID=\"5\" Class=\"3\" Leads=\"2\"/></Module>"
                             "<Module ID=\"5\" Class=\"1\" Leads=\"1\" FirstLead=\"3\"/>")),
             &log);
  ASSERT_EQ(setup.Count_get(), 2);
  auto group = std::dynamic_pointer_cast<CModuleGroup>(setup.Item(1));
  ASSERT_TRUE(group);
  EXPECT_EQ(group->Item(1)->ModuleID_get(), 7);
  EXPECT_EQ(group->Item(1)->Leads_get(), 2);  // members share the group's run and class
  EXPECT_EQ(group->Item(1)->ClassID_get(), MModuleUtils::ClassCF);
  EXPECT_EQ(group->Item(2)->GroupID_get(), 2);
  // A member id that a top-level module also uses (older data) is kept, and new ids go past
  // every id in the setup.
  EXPECT_EQ(setup.Item(0, 5), setup.Item(2));
  EXPECT_EQ(setup.HighestModuleID(), 7);
  EXPECT_EQ(setup.NextModuleID(), 8);
}

TEST_F(ModuleSetupXmlTest, SocketsBeyondTheAnalyzerAreKeptCountedAndLogged) {
  setup.Load(*parse(setupXml("<Module ID=\"1\" Leads=\"3\" FirstLead=\"4\"/>"
                             "<Module ID=\"2\" Leads=\"4\" FirstLead=\"1\"/>"
                             "<Module ID=\"3\" Group=\"True\" Leads=\"1\" FirstLead=\"5\"/>")),
             &log);
  EXPECT_EQ(setup.Count_get(), 3);
  EXPECT_EQ(setup.Item(1)->Leads_get(), 3);
  EXPECT_EQ(setup.UsedLeads(), 8);
  EXPECT_EQ(setup.FreeLeads(), 0);
  EXPECT_EQ(setup.PostPositions(0, 1), (Sockets{4, 5}));
  EXPECT_EQ(log.lines, (std::vector<std::string>{
                           "Module ID 1 lies on sockets 4 to 6, beyond the analyzer's sockets 1 "
                           "to 5; only sockets 1 to 5 are tested.",
                           "Group ID 3 has no members.",
                           "The modules claim 8 leads in all; the analyzer has 5 sockets."}));
  setup.Load(*parse(setupXml("<Module ID=\"1\" Leads=\"9\" FirstLead=\"1\"/>")), nullptr);
  EXPECT_EQ(setup.UsedLeads(), 9);
}

TEST_F(ModuleSetupXmlTest, ALoadHandsACopyOfTheDeviceSetupToThePlugInWhenItHoldsOne) {
  auto entry = std::make_shared<modules_test::StandInPlugIn>();
  PlugInReferenceOverride registered(entry);
  const std::string xml = setupXml("<Module ID=\"1\" Leads=\"2\" FirstLead=\"1\"/>");
  setup.Load(*parse(xml), nullptr);
  EXPECT_EQ(entry->current, nullptr);

  // The device's setup loads itself first; a configuration's setup loaded afterwards does not
  // replace what the results will take.
  auto device = std::make_shared<CModuleSetup>();
  entry->dut = device;
  device->Load(*parse(xml), nullptr);
  ASSERT_TRUE(entry->current);
  EXPECT_NE(entry->current, device);
  EXPECT_EQ(saved(*entry->current), saved(*device));
  setup.Load(*parse(setupXml("<Module ID=\"4\" Leads=\"1\" FirstLead=\"5\"/>")), nullptr);
  EXPECT_EQ(saved(*entry->current), saved(*device));

  entry->current.reset();
  expectRefused(setupXml("<Module/>"), MPlugInErrors::errModuleContent);
  EXPECT_EQ(entry->current, nullptr);  // a failed load hands nothing over
}

TEST_F(ModuleSetupXmlTest, AModuleLoadsAloneAndAGroupElementOnlyMarksIt) {
  CModule m;
  m.Load(*parse("<Module ID=\"3\" Class=\"5\" Leads=\"2.9\" FirstLead=\"-2.9\">"
                "<Item Name=\"Name\" Key=\"True\">Probe</Item></Module>"),
         nullptr);
  EXPECT_EQ(m.ModuleID_get(), 3);
  EXPECT_EQ(m.Leads_get(), 2);
  EXPECT_EQ(m.FirstLead_get(), -2);
  EXPECT_EQ(m.Class_get(), "CF");
  EXPECT_EQ(m.Code_get(), "Probe");
  EXPECT_FALSE(m.IsGroup_get());

  auto error = expectComError([&] { m.Load(*parse("<Module Leads=\"1\"/>"), nullptr); });
  EXPECT_EQ(error.number(), MPlugInErrors::errModuleContent);
  EXPECT_EQ(m.Leads_get(), 2);  // unchanged

  m.Load(*parse("<Module Group=\"True\"/>"), nullptr);
  EXPECT_TRUE(m.IsGroup_get());
  EXPECT_EQ(m.ModuleID_get(), 3);
}
