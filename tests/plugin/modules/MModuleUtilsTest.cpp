#include "plugin/modules/MModuleUtils.h"

#include "ModuleTestSupport.h"

using namespace plugin;
using modules_test::ModulesTest;

namespace {
class MModuleUtilsTest : public ModulesTest {};
}  // namespace

TEST_F(MModuleUtilsTest, ClassesReadAsTheirLimitsOrAsTheReportNamesThem) {
  EXPECT_EQ(MModuleUtils::ClassText(4, false), "B");
  EXPECT_EQ(MModuleUtils::ClassText(4, true), "NI");
  EXPECT_EQ(MModuleUtils::ClassText(5, false), "CF");
  EXPECT_EQ(MModuleUtils::ClassText(5, true), "I");
  EXPECT_EQ(MModuleUtils::ClassText(2, true), "BF");
  EXPECT_EQ(MModuleUtils::ClassText(0, true), "");
  EXPECT_EQ(MModuleUtils::ClassText(6, false), "");
  for (int32_t id = 1; id <= 3; ++id) {
    EXPECT_EQ(MModuleUtils::ClassFromText(MModuleUtils::ClassText(id, false)), id);
  }
  EXPECT_EQ(MModuleUtils::ClassFromText("NI"), 4);
  EXPECT_EQ(MModuleUtils::ClassFromText("I"), 5);
  EXPECT_EQ(MModuleUtils::ClassFromText("bf"), 0);
  EXPECT_EQ(MModuleUtils::ClassFromText(" B"), 0);
  EXPECT_EQ(MModuleUtils::AamiClassOf(1), 4);
  EXPECT_EQ(MModuleUtils::AamiClassOf(3), 5);
  EXPECT_EQ(MModuleUtils::AamiClassOf(2), 0);
}

TEST_F(MModuleUtilsTest, SocketsOneToFiveHaveLeadNames) {
  EXPECT_EQ(MModuleUtils::LeadDisplayName(1), "RA");
  EXPECT_EQ(MModuleUtils::LeadDisplayName(5), "V1");
  EXPECT_EQ(MModuleUtils::LeadDisplayName(0), "");
  EXPECT_EQ(MModuleUtils::LeadDisplayName(6), "");
}

TEST_F(MModuleUtilsTest, AMultiLeadModuleIsFoundAlsoAsAGroup) {
  CModuleSetup setup;
  EXPECT_FALSE(MModuleUtils::HasMultiLeadModule(nullptr));
  EXPECT_FALSE(MModuleUtils::HasMultiLeadModule(&setup));
  setup.Add(module("A", 1, 1));
  EXPECT_FALSE(MModuleUtils::HasMultiLeadModule(&setup));
  auto group = std::make_shared<CModuleGroup>();
  setup.Add(group);
  group->Add(module("B", 2, 2), setup.NextModuleID());
  EXPECT_TRUE(MModuleUtils::HasMultiLeadModule(&setup));
}
