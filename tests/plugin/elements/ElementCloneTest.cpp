// Cloning is how every element reaches a template: a clone must share nothing the user edits
// with the catalogue element it came from.
#include <gtest/gtest.h>

#include "ElementsTestSupport.h"
#include "plugin/modules/CModuleSetup.h"

namespace {

using namespace plugin;
using elements_test::ElementsTest;

class ElementCloneTest : public ElementsTest {
 protected:
  // A group whose configuration has IEC terms and a delay of 5 s, holding a nested group with
  // the same settings.
  std::shared_ptr<CTestGroup> sequenceWithNestedGroup() {
    auto outer = group(100);
    auto inner = group(1000);
    for (const auto& g : {outer, inner}) {
      auto config = std::dynamic_pointer_cast<CConfigTestGroup>(g->Configuration_get());
      config->Modules_get()->ModuleSeup_get()->Nomenclature_let(CModuleSetup::NomenclatureIEC);
      config->Test_get()->PolaritySwitchingDelay_let(5);
    }
    outer->Add(inner);
    return outer;
  }

  // Nomenclature and polarity delay of `element`'s group configuration.
  static std::pair<int32_t, int32_t> settingsOf(const host_api::ITestElement& element) {
    auto config = std::dynamic_pointer_cast<CConfigTestGroup>(element.Configuration_get());
    return {config->Modules_get()->ModuleSeup_get()->Nomenclature_get(),
            config->Test_get()->PolaritySwitchingDelay_get()};
  }

  void installAamiWithDelayOf3() {
    key("Software\\Tavik\\orvel\\TRX440")
        ->WriteLong("Nomenclature", CModuleSetup::NomenclatureAAMI);
    key("Software\\Tavik\\orvel\\TRX440")->WriteLong("PolarityDelay", 3);
  }
};

TEST_F(ElementCloneTest, ASingleTestsCloneSharesNothingTheUserEdits) {
  auto original = single(700, std::make_shared<CConfigResistance>());
  original->HasDCLimits_let(true);
  original->RequireLeadUsage_let(true);
  original->ResultKind_let(0);
  original->LimitData()->CreateStandard(IEC62353, "ST");
  ASSERT_FALSE(original->LimitData()->HasEditableLimits());  // the catalogue's own

  auto clone = std::dynamic_pointer_cast<CTestSingle>(original->Clone());
  ASSERT_TRUE(clone);
  EXPECT_NE(clone, original);
  EXPECT_EQ(clone->TestID_get(), 700);
  EXPECT_EQ(clone->Info_get()->Name_get(), "Single 700");
  EXPECT_EQ(clone->Unit_get(), "Ohm");
  EXPECT_TRUE(clone->HasDCLimits_get());
  EXPECT_TRUE(clone->RequireLeadUsage_get());
  EXPECT_EQ(clone->ResultKind_get(), 0);
  EXPECT_EQ(clone->SafetyTest_get()->TestCode_get(), vti::etcProtEarth);
  EXPECT_NE(clone->SafetyTest_get(), original->SafetyTest_get());
  EXPECT_EQ(clone->Result_get(), nullptr);

  // The configuration is a copy that knows the clone as its owner.
  auto config = std::dynamic_pointer_cast<CConfigResistance>(clone->Configuration_get());
  ASSERT_TRUE(config);
  EXPECT_NE(config, original->Configuration_get());
  EXPECT_EQ(config->Owner_get(), clone);
  auto originalConfig = std::dynamic_pointer_cast<CConfigResistance>(original->Configuration_get());
  EXPECT_EQ(originalConfig->Owner_get(), original);

  // The limits are a copy the clone owns and may edit; emptying them leaves the original's.
  auto limits = clone->LimitData();
  ASSERT_TRUE(limits);
  EXPECT_NE(limits, original->LimitData());
  EXPECT_EQ(limits->Owner_get(), clone);
  EXPECT_TRUE(limits->HasEditableLimits());
  ASSERT_EQ(standardsOf(*clone), 1);
  clone->ResetLimits();
  EXPECT_EQ(standardsOf(*clone), 0);
  EXPECT_EQ(standardsOf(*original), 1);

  clone->Info_get()->Name_let("Renamed");
  EXPECT_EQ(original->Info_get()->Name_get(), "Single 700");
}

TEST_F(ElementCloneTest, AMultiTestsCloneOwnsItsConfigurationAndLimits) {
  auto original = multi(1010, std::make_shared<CConfigTestGroup>());
  original->ResetTheVariables_let(true);
  auto clone = std::dynamic_pointer_cast<CTestMulti>(original->Clone());
  ASSERT_TRUE(clone);
  EXPECT_TRUE(clone->RequireModules_get());
  EXPECT_TRUE(clone->HasTotalLimits_get());
  EXPECT_EQ(clone->SafetyTest_get()->TestCode_get(), vti::etcPatLeak);
  EXPECT_EQ(clone->SafetyTest_get()->PowerConfig_get(), vti::epcNC);
  EXPECT_FALSE(clone->ResetTheVariables_get());  // a clone's sequence starts fresh
  auto config = std::dynamic_pointer_cast<CConfigTestGroup>(clone->Configuration_get());
  ASSERT_TRUE(config);
  EXPECT_EQ(config->Owner_get(), clone);
  EXPECT_EQ(clone->LimitData()->Owner_get(), clone);
}

TEST_F(ElementCloneTest, AnElementThatNamesNoInstrumentTestYetStillClones) {
  auto bare = CTestSingle::Create();
  bare->Initialize(400, 400, nullptr);
  auto clone = std::dynamic_pointer_cast<CTestSingle>(bare->Clone());
  ASSERT_TRUE(clone);
  EXPECT_EQ(clone->SafetyTest_get()->TestCode_get(), 0);
  EXPECT_EQ(clone->Configuration_get(), nullptr);
}

TEST_F(ElementCloneTest, AGroupsCloneHoldsClonesOfTheChildrenInOrderWithItselfAsParent) {
  auto original = sequenceWithNestedGroup();
  auto inner = std::dynamic_pointer_cast<CTestGroup>(original->Item(1));
  inner->Add(single(1010));
  inner->Add(multi(1020));
  original->Add(single(700, std::make_shared<CConfigResistance>()));
  original->LimitData()->CreateStandard(IEC60601, "CF");

  auto clone = std::dynamic_pointer_cast<CTestGroup>(original->Clone());
  ASSERT_TRUE(clone);
  ASSERT_EQ(clone->Count(), 2);
  EXPECT_EQ(clone->ChildCount_get(), 2);
  auto innerClone = std::dynamic_pointer_cast<CTestGroup>(clone->Item(1));
  ASSERT_TRUE(innerClone);
  EXPECT_NE(innerClone, inner);
  EXPECT_EQ(innerClone->Parent_get(), clone);
  EXPECT_EQ(clone->Item(2)->TestID_get(), 700);
  EXPECT_NE(clone->Item(2), original->Item(2));
  EXPECT_EQ(clone->Item(2)->Parent_get(), clone);

  ASSERT_EQ(innerClone->Count(), 2);
  EXPECT_EQ(innerClone->Item(1)->TestID_get(), 1010);
  EXPECT_EQ(innerClone->Item(2)->TestID_get(), 1020);
  EXPECT_EQ(innerClone->Item(2)->Parent_get(), innerClone);
  EXPECT_NE(innerClone->Item(1), inner->Item(1));
  // The original's children stay where they were.
  EXPECT_EQ(inner->Item(1)->Parent_get(), inner);
  EXPECT_EQ(original->Count(), 2);

  EXPECT_EQ(std::dynamic_pointer_cast<CConfigTestGroup>(clone->Configuration_get())->Owner_get(),
            clone);
  EXPECT_EQ(clone->LimitData()->Owner_get(), clone);
  EXPECT_EQ(standardsOf(*clone), 1);
  EXPECT_EQ(clone->FindElement(1020), innerClone->Item(2));
}

TEST_F(ElementCloneTest, AGroupClonedFromTheCatalogueTakesTheInstallationsTermsAndDelay) {
  installAamiWithDelayOf3();
  auto original = sequenceWithNestedGroup();
  entry->updateNomenclature = true;
  auto clone = original->Clone();
  entry->updateNomenclature = false;

  EXPECT_EQ(settingsOf(*clone), std::make_pair(CModuleSetup::NomenclatureAAMI, 3));
  auto innerClone = std::dynamic_pointer_cast<CTestGroup>(clone)->Item(1);
  EXPECT_EQ(settingsOf(*innerClone), std::make_pair(CModuleSetup::NomenclatureAAMI, 3));
  EXPECT_EQ(settingsOf(*original), std::make_pair(CModuleSetup::NomenclatureIEC, 5));
}

TEST_F(ElementCloneTest, AGroupCopiedWithinTemplatesKeepsItsTermsAndDelay) {
  installAamiWithDelayOf3();
  auto original = sequenceWithNestedGroup();
  auto clone = original->Clone();
  EXPECT_EQ(settingsOf(*clone), std::make_pair(CModuleSetup::NomenclatureIEC, 5));

  // Nor does a plug-in that was never initialised change them.
  plugin::PlugInReferenceOverride noEntry(nullptr);
  EXPECT_EQ(settingsOf(*original->Clone()), std::make_pair(CModuleSetup::NomenclatureIEC, 5));
}

}  // namespace
