// Which element governs a test (the owning element), and which modules the groups above a test
// let it measure.
#include <gtest/gtest.h>

#include "ElementsTestSupport.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/MModuleFilters.h"
#include "plugin/core/MSharedTools.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/CModuleSetup.h"
#include "support/InertHostObjects.h"

namespace {

using namespace plugin;
using elements_test::ElementsTest;

// A container of another plug-in: only its identity matters here.
class ForeignParent : public testing_host::InertTestElement {
 public:
  std::string PlugInID_get() const override { return "OTHER"; }
  int32_t TestID_get() const override { return 5000; }
};

class GoverningElementTest : public ElementsTest {
 protected:
  static std::shared_ptr<CModule> module(const std::string& name, int32_t classId,
                                         int32_t leads = 1) {
    auto m = std::make_shared<CModule>();
    m->ModuleInfo_get()->Add("Name", name, true);
    m->Leads_let(leads);
    m->FirstLead_let(1);
    m->ClassID_let(classId);
    return m;
  }
  static void admitOnly(const std::shared_ptr<CTestGroup>& group, const std::string& name) {
    auto config = std::dynamic_pointer_cast<CConfigTestGroup>(group->Configuration_get());
    config->Modules_get()->Filter_get()->Add("Name", name);
  }
};

TEST_F(GoverningElementTest, ATopLevelGroupGovernsItsTestsAndATopLevelTestItself) {
  auto alone = single(1010);
  EXPECT_EQ(MSharedTools::OwningElement(alone), alone);

  auto sequence = group(1100);
  auto test = single(1101);
  sequence->Add(test);
  EXPECT_EQ(MSharedTools::OwningElement(test), sequence);
  EXPECT_EQ(MSharedTools::OwningElement(sequence), sequence);
}

TEST_F(GoverningElementTest, TwoStepsBelowTheTopNoElementGovernsButTheNearestGroupConfigures) {
  auto whole = group(100);
  auto sequence = group(1100);
  auto test = multi(1101);
  whole->Add(sequence);
  sequence->Add(test);
  EXPECT_EQ(MSharedTools::OwningElement(sequence), whole);
  EXPECT_EQ(MSharedTools::OwningElement(test), nullptr);
  EXPECT_EQ(MModuleFilters::EnclosingGroupConfiguration(test), sequence->Configuration_get());
}

TEST_F(GoverningElementTest, AnotherPlugInsContainerEndsTheSearch) {
  auto test = single(1010);
  test->Parent_set(std::make_shared<ForeignParent>());
  EXPECT_EQ(MSharedTools::OwningElement(test), test);
}

TEST_F(GoverningElementTest, AModuleMustPassTheFilterOfEveryGroupAbove) {
  auto outer = group(100);
  auto inner = group(1100);
  auto test = multi(1101);
  outer->Add(inner);
  inner->Add(test);
  auto ecg = module("ECG", 3);
  auto spo2 = module("SpO2", 2);
  EXPECT_TRUE(MModuleFilters::PassAllGroupFilters(test, *ecg));

  admitOnly(outer, "ECG");
  EXPECT_TRUE(MModuleFilters::PassAllGroupFilters(test, *ecg));
  EXPECT_FALSE(MModuleFilters::PassAllGroupFilters(test, *spo2));
  admitOnly(inner, "SpO2");  // the inner group's filter cannot undo the outer one's
  EXPECT_FALSE(MModuleFilters::PassAllGroupFilters(test, *spo2));
}

TEST_F(GoverningElementTest, TestsOfIsolatedClassesNeedABfOrCfModule) {
  CModuleSetup onlyB;
  onlyB.Add(module("Probe", 1));
  CModuleSetup withCf;
  withCf.Add(module("Probe", 1));
  withCf.Add(module("ECG", 3, 3));
  EXPECT_FALSE(MModuleFilters::ModulesSuitTest(*multi(1201), &onlyB));
  EXPECT_TRUE(MModuleFilters::ModulesSuitTest(*multi(1201), &withCf));
  EXPECT_FALSE(MModuleFilters::ModulesSuitTest(*multi(1301), &onlyB));  // one lead only
  EXPECT_TRUE(MModuleFilters::ModulesSuitTest(*multi(1301), &withCf));
  EXPECT_TRUE(MModuleFilters::ModulesSuitTest(*multi(1101), &onlyB));
  EXPECT_FALSE(MModuleFilters::ModulesSuitTest(*multi(830), nullptr));
}

TEST_F(GoverningElementTest, AModuleTestWithAFilterNeedsAModuleThatPassesIt) {
  auto config = std::make_shared<CConfigTestGroup>();
  config->Modules_get()->Filter_get()->Add("Name", "ECG");
  auto test = multi(1101, config);
  CModuleSetup setup;
  setup.Add(module("SpO2", 2));
  EXPECT_FALSE(MModuleFilters::HasFilteredModule(test, &setup));
  setup.Add(module("ECG", 3));
  EXPECT_TRUE(MModuleFilters::HasFilteredModule(test, &setup));
  EXPECT_FALSE(MModuleFilters::HasFilteredModule(test, nullptr));
  EXPECT_TRUE(MModuleFilters::HasFilteredModule(single(1010), nullptr));
}

}  // namespace
