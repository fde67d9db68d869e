#include "plugin/modules/CModule.h"

#include "ModuleTestSupport.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/MModuleUtils.h"

using namespace plugin;
using modules_test::ModulesTest;

namespace {
class CModuleTest : public ModulesTest {
 protected:
  // Items: Type (first, no key), Name (key), Serial.
  static std::shared_ptr<CModule> typedModule(const std::string& type, const std::string& name) {
    auto m = std::make_shared<CModule>();
    m->ModuleInfo_get()->Add("Type", type, false);
    m->ModuleInfo_get()->Add("Name", name, true);
    m->ModuleInfo_get()->Add("Serial", "", false);
    m->Leads_let(2);
    return m;
  }
  static std::shared_ptr<CModuleFilter> filterOf(const std::string& name,
                                                 const std::string& value) {
    auto filter = std::make_shared<CModuleFilter>();
    filter->Add(name, value);
    return filter;
  }
};
}  // namespace

TEST_F(CModuleTest, TheNameIsTheTypedTextUntilTheModuleBelongsToASetup) {
  auto m = typedModule("ECG cable", "");
  EXPECT_EQ(m->ClassID_get(), MModuleUtils::ClassB);  // a new module is B
  m->Code_let("Lead set");
  EXPECT_EQ(m->Code_get(), "Lead set");
  m->ModuleID_let(4);
  EXPECT_EQ(m->Code_get(), "Lead set");  // written into the key item as well
  m->ModuleInfo_get()->Item("Name")->Value_let("");
  EXPECT_EQ(m->Code_get(), "ECG cable");  // no name: the first field that says something
  m->Code_let("Renamed");
  EXPECT_EQ(m->ModuleInfo_get()->Item("Name")->Value_get(), "Renamed");
  EXPECT_EQ(m->Code_get(), "Renamed");
}

TEST_F(CModuleTest, WithoutAKeyItemTheNameGoesToTheFirstItemAndWithTwoItReadsBack) {
  auto m = std::make_shared<CModule>();
  m->ModuleInfo_get()->Add("Type", "", false);
  m->ModuleID_let(1);
  m->Code_let("Probe");
  EXPECT_EQ(m->ModuleInfo_get()->Item(1)->Value_get(), "Probe");
  EXPECT_EQ(m->Code_get(), "Probe");

  m->ModuleInfo_get()->Add("Name", "old", true);
  m->ModuleInfo_get()->Add("Alias", "older", true);
  m->Code_let("new");
  EXPECT_EQ(m->Code_get(), "new");

  CModule bare;
  bare.ModuleInfo_set(nullptr);  // a host without item collections
  bare.Code_let("Typed");
  EXPECT_EQ(bare.Code_get(), "Typed");
  EXPECT_EQ(bare.ToolTipText_get(), "Typed");
}

TEST_F(CModuleTest, TheToolTipAddsTheFirstFieldOnlyWhenItSaysSomethingElse) {
  auto m = typedModule("ECG cable", "Lead set");
  m->ModuleID_let(1);
  EXPECT_EQ(m->ToolTipText_get(), "Lead set (ECG cable)");
  m->ModuleInfo_get()->Item("Type")->Value_let("Lead set");
  EXPECT_EQ(m->ToolTipText_get(), "Lead set");
  m->ModuleInfo_get()->Item("Type")->Value_let("");
  EXPECT_EQ(m->ToolTipText_get(), "Lead set");
}

TEST_F(CModuleTest, AFilterPassesOnAnyExactlyMatchingItemAndNeverForUntestableModules) {
  auto m = typedModule("ECG cable", "Lead set");
  EXPECT_TRUE(m->ApplyFilter(nullptr));
  EXPECT_TRUE(m->ApplyFilter(filterOf("Type", "ECG cable").get()));
  EXPECT_FALSE(m->ApplyFilter(filterOf("Type", "ecg cable").get()));
  EXPECT_FALSE(m->ApplyFilter(filterOf("Colour", "ECG cable").get()));
  auto two = filterOf("Type", "Probe");
  two->Add("Name", "Lead set");
  EXPECT_TRUE(m->ApplyFilter(two.get()));
  two->Remove(2, false);  // an empty slot matches nothing, the other item still counts
  EXPECT_FALSE(m->ApplyFilter(two.get()));
  two->Remove(1, false);  // no item left: no restriction
  EXPECT_TRUE(m->ApplyFilter(two.get()));

  CModuleFilter empty;
  m->Leads_let(0);
  EXPECT_FALSE(m->ApplyFilter(&empty));
  m->Leads_let(2);
  m->ClassID_let(MModuleUtils::ClassNone);
  EXPECT_FALSE(m->ApplyFilter(nullptr));
}

TEST_F(CModuleTest, ACopyHasItsOwnDescriptiveFields) {
  auto m = typedModule("ECG cable", "Lead set");
  m->ModuleID_let(3);
  m->GroupID_let(2);
  m->FirstLead_let(4);
  m->ClassID_let(MModuleUtils::ClassCF);
  auto copy = std::dynamic_pointer_cast<CModule>(m->Clone());
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->ModuleID_get(), 3);
  EXPECT_EQ(copy->GroupID_get(), 2);
  EXPECT_EQ(copy->FirstLead_get(), 4);
  EXPECT_EQ(copy->Leads_get(), 2);
  EXPECT_EQ(copy->Class_get(), "CF");
  copy->Code_let("Other");
  EXPECT_EQ(m->Code_get(), "Lead set");
  EXPECT_FALSE(m->HasDialog_get());
  EXPECT_EQ(m->CreateDialog(), nullptr);
}

TEST_F(CModuleTest, AGroupKeepsItsMembersOnItsSocketsClassAndId) {
  CModuleGroup group;
  group.ModuleID_let(4);
  group.Add(module("Cable A", 3, 1, MModuleUtils::ClassBF), 5);
  EXPECT_EQ(group.Leads_get(), 3);  // an empty group takes its first member's run and class
  EXPECT_EQ(group.ClassID_get(), MModuleUtils::ClassBF);
  auto b = module("Cable B", 1, 1, MModuleUtils::ClassCF);
  group.Add(b, 6);
  EXPECT_EQ(b->Leads_get(), 3);  // members share the group's
  EXPECT_EQ(b->ClassID_get(), MModuleUtils::ClassBF);
  EXPECT_EQ(b->ModuleID_get(), 6);
  EXPECT_EQ(b->GroupID_get(), 4);
  EXPECT_TRUE(b->InGroup_get());

  group.ModuleID_let(9);
  group.Leads_let(2);
  group.Class_let("CF");
  for (const auto& member : group.NewEnum()) {
    EXPECT_EQ(member->GroupID_get(), 9);
    EXPECT_EQ(member->Leads_get(), 2);
    EXPECT_EQ(member->ClassID_get(), MModuleUtils::ClassCF);
  }
  group.Remove(group.Item(0, 5));
  group.Remove(std::string("42"));
  EXPECT_EQ(group.Count_get(), 1);
  EXPECT_EQ(group.Item(1), b);
}

TEST_F(CModuleTest, AGroupAnswersForItsMembers) {
  CModuleGroup group;
  EXPECT_EQ(group.ModuleInfo_get(), nullptr);
  EXPECT_EQ(group.ToolTipText_get(), "Group: ");
  EXPECT_FALSE(group.ApplyFilter(nullptr));  // no sockets, no class: nothing to test

  auto a = module("Cable A", 2, 1, MModuleUtils::ClassB, "S1");
  group.Add(a, 5);
  group.Add(module("Cable B", 2, 1, MModuleUtils::ClassB, "S2"), 6);
  group.Code_let("ignored");
  group.GroupID_let(3);
  group.InGroup_let(true);
  EXPECT_EQ(group.Code_get(), "Group");
  EXPECT_EQ(group.GroupID_get(), 0);
  EXPECT_FALSE(group.InGroup_get());
  EXPECT_TRUE(group.IsGroup_get());
  EXPECT_EQ(group.ModuleInfo_get(), a->ModuleInfo_get());
  EXPECT_EQ(group.ToolTipText_get(), "Group: Cable A; Cable B; ");
  EXPECT_EQ(group.CreateReportData(modules_test::RecordingReport()), "");

  EXPECT_TRUE(group.ApplyFilter(nullptr));
  EXPECT_TRUE(group.ApplyFilter(filterOf("Serial", "S2").get()));
  EXPECT_FALSE(group.ApplyFilter(filterOf("Serial", "S3").get()));
}
