#include "plugin/modules/CModuleSetup.h"

#include <limits>

#include "ModuleTestSupport.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/modules/MModuleUtils.h"
#include "support/ExpectError.h"

using namespace plugin;
using modules_test::ModulesTest;
using Sockets = std::vector<int32_t>;

namespace {
class CModuleSetupTest : public ModulesTest {
 protected:
  // ECG (B, sockets 1-2), SpO2 (BF, 3-4), Probe (CF, 5).
  void fillThreeModules() {
    setup.Add(module("ECG", 2, 1, MModuleUtils::ClassB));
    setup.Add(module("SpO2", 2, 3, MModuleUtils::ClassBF));
    setup.Add(module("Probe", 1, 5, MModuleUtils::ClassCF));
  }
  std::vector<std::string> codes() const {
    std::vector<std::string> result;
    for (const auto& entry : setup.NewEnum()) result.push_back(entry->Code_get());
    return result;
  }

  CModuleSetup setup;
};
}  // namespace

TEST_F(CModuleSetupTest, ThreeModulesFillTheFiveSocketsAndAreSelectedByClassAndId) {
  fillThreeModules();
  EXPECT_EQ(setup.UsedLeads(), 5);
  EXPECT_EQ(setup.FreeLeads(), 0);
  EXPECT_EQ(setup.MaxLeads(), 5);
  EXPECT_EQ(setup.PostPositions(0, -1), (Sockets{1, 2, 3, 4, 5}));
  EXPECT_EQ(setup.PostPositions(MModuleUtils::ClassCF, -1), Sockets{5});
  EXPECT_EQ(setup.PostPositions(0, 2), (Sockets{3, 4}));
  EXPECT_TRUE(setup.PostPositions(MModuleUtils::ClassNI, -1).empty());
}

TEST_F(CModuleSetupTest, SocketCountsStayTrueWhenTheDataClaimsTooManyOrTooFewLeads) {
  setup.Add(module("A", 4, 1));
  setup.Add(module("B", 3, 4));
  setup.Add(module("Broken", -2, 1));
  EXPECT_EQ(setup.UsedLeads(), 7);  // the negative count claims nothing
  EXPECT_EQ(setup.FreeLeads(), 0);
  // Only sockets the analyzer has, and no endless walk for an absurd count.
  EXPECT_EQ(setup.PostPositions(0, -1), (Sockets{1, 2, 3, 4, 4, 5}));
  setup.Item(1)->Leads_let(std::numeric_limits<int32_t>::max());
  setup.Item(1)->FirstLead_let(-3);
  EXPECT_EQ(setup.PostPositions(0, 1), (Sockets{1, 2, 3, 4, 5}));
  EXPECT_EQ(setup.UsedLeads(), std::numeric_limits<int32_t>::max());
}

TEST_F(CModuleSetupTest, AModuleWithItsOwnIdMovesTheCounterPastIt) {
  fillThreeModules();
  EXPECT_EQ(setup.HighestModuleID(), 3);
  auto own = module("Own", 1, 1);
  own->ModuleID_let(7);
  setup.Add(own, 7);
  EXPECT_EQ(setup.HighestModuleID(), 8);
  auto next = module("Next", 1, 1);
  setup.Add(next);
  EXPECT_EQ(next->ModuleID_get(), 9);
  EXPECT_EQ(setup.Item(0, 9), next);

  // A lower own id leaves the counter alone.
  auto low = module("Low", 1, 1);
  low->ModuleID_let(5);
  setup.Add(low, 5);
  EXPECT_EQ(setup.HighestModuleID(), 9);
}

TEST_F(CModuleSetupTest, AnIdThatIsTakenIsRefusedWithoutTouchingTheSetup) {
  fillThreeModules();
  auto twin = module("Twin", 1, 1);
  twin->ModuleID_let(2);
  auto error = expectComError([&] { setup.Add(twin, 2); });
  EXPECT_EQ(error.number(), 457);
  EXPECT_EQ(setup.Count_get(), 3);
  EXPECT_EQ(setup.Item(0, 2)->Code_get(), "SpO2");
  EXPECT_EQ(setup.HighestModuleID(), 3);
}

TEST_F(CModuleSetupTest, EntriesAreFoundByPositionByIdAndAmongGroupMembers) {
  fillThreeModules();
  auto group = std::make_shared<CModuleGroup>();
  setup.Add(group);
  group->Add(module("Cable A", 1, 1), setup.NextModuleID());
  group->Add(module("Cable B", 1, 1), setup.NextModuleID());
  EXPECT_EQ(setup.Item(2)->Code_get(), "SpO2");
  EXPECT_EQ(setup.Item(0, 3)->Code_get(), "Probe");
  EXPECT_EQ(setup.Item(0, 6)->Code_get(), "Cable B");
  EXPECT_EQ(setup.Item(0, 6)->GroupID_get(), 4);
  EXPECT_EQ(setup.Item(5, 1), nullptr);  // a position out of range is not an id search
  EXPECT_EQ(setup.Item(0, 0), nullptr);
  EXPECT_EQ(setup.Item(0, 42), nullptr);
  EXPECT_EQ(MModuleUtils::GroupMember(setup, 4, 5)->Code_get(), "Cable A");
  EXPECT_EQ(MModuleUtils::GroupMember(setup, 1, 5), nullptr);
}

TEST_F(CModuleSetupTest, RemoveTakesOnlyTheEntryNamedAndNeverAnotherOne) {
  fillThreeModules();
  setup.Remove(setup.Item(0, 2));
  EXPECT_EQ(codes(), (std::vector<std::string>{"ECG", "Probe"}));
  // A module that belongs to no setup (id 0) removes nothing, not the first entry.
  setup.Remove(module("Stray", 1, 1));
  setup.Remove(std::string("42"));
  setup.Remove(9);
  EXPECT_EQ(codes(), (std::vector<std::string>{"ECG", "Probe"}));
  setup.Remove(std::string("3"));
  setup.Remove(1);
  EXPECT_EQ(setup.Count_get(), 0);
}

TEST_F(CModuleSetupTest, ReplaceKeepsThePlaceAndTheIdAndSwapMovesTheUpperEntryUp) {
  fillThreeModules();
  setup.ReplaceModule(module("Temp", 1, 3), 2);
  EXPECT_EQ(codes(), (std::vector<std::string>{"ECG", "Temp", "Probe"}));
  EXPECT_EQ(setup.Item(2)->ModuleID_get(), 2);
  setup.ReplaceModule(module("Last", 1, 5), 3);
  EXPECT_EQ(codes(), (std::vector<std::string>{"ECG", "Temp", "Last"}));
  setup.ReplaceModule(module("Nowhere", 1, 5), 42);
  EXPECT_EQ(setup.Count_get(), 3);

  setup.SwapModules(setup.Item(1), setup.Item(3));
  EXPECT_EQ(codes(), (std::vector<std::string>{"Last", "ECG", "Temp"}));
  setup.SwapModules(setup.Item(1), module("Stray", 1, 1));
  EXPECT_EQ(codes(), (std::vector<std::string>{"Last", "ECG", "Temp"}));
}

TEST_F(CModuleSetupTest, NomenclatureConvertsClassesBothWaysAndReachesGroupMembers) {
  fillThreeModules();
  auto group = std::make_shared<CModuleGroup>();
  setup.Add(group);
  group->Add(module("Cable", 1, 5, MModuleUtils::ClassCF), setup.NextModuleID());
  setup.Item(1)->ClassID_let(0);  // no class: left alone

  setup.Nomenclature_let(CModuleSetup::NomenclatureAAMI);
  EXPECT_EQ(setup.Item(1)->ClassID_get(), 0);
  EXPECT_EQ(setup.Item(2)->ClassID_get(), MModuleUtils::ClassNI);
  EXPECT_EQ(setup.Item(2)->Class_get(), "B");
  EXPECT_EQ(setup.Item(2)->ClassForReport_get(), "NI");
  EXPECT_EQ(setup.Item(3)->ClassForReport_get(), "I");
  EXPECT_EQ(group->Item(1)->ClassID_get(), MModuleUtils::ClassI);

  setup.Nomenclature_let(CModuleSetup::NomenclatureIEC);
  EXPECT_EQ(setup.Item(2)->Class_get(), "B");  // BF has no AAMI counterpart: it comes back B
  EXPECT_EQ(setup.Item(3)->Class_get(), "CF");
  EXPECT_EQ(group->Item(1)->Class_get(), "CF");
}

TEST_F(CModuleSetupTest, ACloneIsDeepAndItsCounterCoversGroupMembers) {
  fillThreeModules();
  auto group = std::make_shared<CModuleGroup>();
  setup.Add(group);
  group->Add(module("Cable", 1, 1), 12);
  setup.ReadOnly_let(true);
  setup.Nomenclature_let(CModuleSetup::NomenclatureAAMI);

  auto copy = std::dynamic_pointer_cast<CModuleSetup>(setup.Clone());
  ASSERT_TRUE(copy);
  EXPECT_EQ(saved(*copy), saved(setup));
  EXPECT_TRUE(copy->ReadOnly_get());
  EXPECT_EQ(copy->HighestModuleID(), 12);
  copy->Item(1)->Code_let("Changed");
  copy->Item(0, 12)->Code_let("Changed too");
  EXPECT_EQ(setup.Item(1)->Code_get(), "ECG");
  EXPECT_EQ(setup.Item(0, 12)->Code_get(), "Cable");
  EXPECT_EQ(copy->Item(0, 12)->GroupID_get(), 4);
  EXPECT_NE(copy->Item(4), setup.Item(4));
}

TEST_F(CModuleSetupTest, TheModuleTablePrintsEveryModuleAndGroupMemberWithSafeTexts) {
  modules_test::RecordingReport report;
  setup.PrintReport(&report);
  setup.PrintReport(nullptr);
  EXPECT_TRUE(report.tables.empty());

  setup.Add(module("ECG|3;lead {x}", 2, 1, MModuleUtils::ClassB, "S/N 7"));
  auto group = std::make_shared<CModuleGroup>();
  setup.Add(group);
  group->Add(module("Cable A", 1, 3, MModuleUtils::ClassCF), setup.NextModuleID());
  group->Add(module("Cable B", 1, 3, MModuleUtils::ClassCF), setup.NextModuleID());
  setup.Add(std::make_shared<CModuleGroup>());  // an empty group prints no row
  setup.Nomenclature_let(CModuleSetup::NomenclatureAAMI);
  setup.PrintReport(&report);

  ASSERT_EQ(report.tables.size(), 1u);
  const auto& table = report.tables[0];
  EXPECT_EQ(table.layout, "<!6000|<1500|>+1500;");
  EXPECT_EQ(table.header,
            "|{\\i\\b Module Configuration};|{\\i\\b Module info}|{\\i\\b Class}|{\\i\\b Leads};");
  EXPECT_EQ(table.body,
            "|Name: ECG 3,lead (x), Serial: S/N 7|NI|2;"
            "|Name: Cable A, Serial: |I|1;"
            "|Name: Cable B, Serial: |I|1;");
}

TEST_F(CModuleSetupTest, TheInformationTemplateComesFromTheFirstModuleOrFromTheRegistry) {
  auto definitions = key("Software\\Tavik\\orvel\\TRX440\\Module Info");
  definitions->WriteText("Item1", "Model");
  definitions->WriteText("Item2", "Tag;Key");
  auto fromRegistry = setup.ModuleInfoTemplate();
  ASSERT_EQ(fromRegistry->Count(), 2);
  EXPECT_EQ(fromRegistry->Item(1)->Name_get(), "Model");
  EXPECT_TRUE(fromRegistry->Item("Tag")->Key_get());
  EXPECT_EQ(setup.ModuleInfoTemplate(), fromRegistry);  // built once

  CModuleSetup filled;
  filled.Add(module("ECG", 2, 1, MModuleUtils::ClassB, "S/N 7"));
  auto fromModule = filled.ModuleInfoTemplate();
  ASSERT_EQ(fromModule->Count(), 2);
  EXPECT_EQ(fromModule->Item(1)->Name_get(), "Name");
  EXPECT_TRUE(fromModule->Item(1)->Key_get());
  EXPECT_EQ(fromModule->Item(1)->Value_get(), "");
  EXPECT_EQ(fromModule->Item(2)->Value_get(), "");
  EXPECT_EQ(filled.Item(1)->Code_get(), "ECG");  // a copy: the module keeps its values
}

TEST_F(CModuleSetupTest, ADialogWithoutItsEditorIsReportedAndGivesNothing) {
  EXPECT_TRUE(setup.HasDialog_get());
  auto shared = std::make_shared<CModuleSetup>();
  EXPECT_EQ(shared->CreateDialog(), nullptr);
  ASSERT_EQ(reported().size(), 1u);
  EXPECT_EQ(reported()[0].number(), platform::RuntimeError::ClassNotRegistered);
  EXPECT_EQ(reported()[0].source(), "orvelTRX440.CModuleSetup");
}

TEST_F(CModuleSetupTest, ANewSetupTakesThePlugInsNomenclatureOrTheInstallations) {
  auto entry = std::make_shared<modules_test::StandInPlugIn>();
  {
    PlugInReferenceOverride registered(entry);
    entry->setup.Nomenclature_let(1);
    EXPECT_EQ(CModuleSetup().Nomenclature_get(), CModuleSetup::NomenclatureAAMI);
    entry->setup.Nomenclature_let(2);
    EXPECT_EQ(CModuleSetup().Nomenclature_get(), CModuleSetup::NomenclatureIEC);
  }
  EXPECT_EQ(CModuleSetup().Nomenclature_get(), CModuleSetup::NomenclatureIEC);
  key("Software\\Tavik\\orvel\\TRX440")->WriteLong("Nomenclature", 1);
  EXPECT_EQ(CModuleSetup().Nomenclature_get(), CModuleSetup::NomenclatureAAMI);
}
