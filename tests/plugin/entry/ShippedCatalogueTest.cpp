// The catalogue file the plug-in ships, read through the plug-in entry as the host reads it:
// every element it lists is built, and every element's limits fit the element.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "EntryTestHost.h"
#include "driver/CTrxSafetyTest.h"
#include "host/HostApplicationService.h"
#include "host_api/HostServices.h"
#include "host_api/IXmlService.h"
#include "platform/components/ComponentRegistry.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/entry/CPlugInTRX440.h"
#include "plugin/limits/MTestLimits.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/IPlugInReference.h"

namespace {

using host_api::ITestElement;
using Elements = std::vector<std::shared_ptr<ITestElement>>;

void forEachElement(const Elements& elements,
                    const std::function<void(const std::shared_ptr<ITestElement>&)>& visit) {
  for (const auto& element : elements) {
    visit(element);
    if (auto container = std::dynamic_pointer_cast<host_api::ITestContainer>(element)) {
      forEachElement(container->NewEnum(), visit);
    }
  }
}

std::set<std::string> keysOf(const host_api::ILimitStandard& standard) {
  std::set<std::string> keys;
  auto limits = standard.Limits_get();
  for (int32_t i = 1; i <= limits->Count(); ++i) keys.insert(limits->Item(i)->Key_get());
  return keys;
}

class ShippedCatalogue : public EntryTestHost {
 protected:
  void SetUp() override {
    EntryTestHost::SetUp();
    entry->Initialize(nullptr);
  }

  Elements everyElement() {
    Elements all;
    forEachElement(entry->Tests_get()->NewEnum(), [&](const auto& e) { all.push_back(e); });
    return all;
  }
};

TEST_F(ShippedCatalogue, EveryElementOfTheFileIsBuiltWithItsNameAndInstrumentTest) {
  auto file = host_api::hostServices().xml->loadDocument(entry->SetupObject().Configuration_get());
  std::set<int32_t> listed;
  std::function<void(const host_api::IXmlElement&)> collect = [&](const auto& node) {
    for (const auto& child : node.children()) {
      if (child->tagName() != "TestElement") continue;
      listed.insert(std::stoi(child->getAttribute("ID").value_or("0")));
      collect(*child);
    }
  };
  collect(*file->documentElement()->findChild("TemplateData"));
  auto built = everyElement();
  EXPECT_EQ(built.size(), listed.size());
  for (const auto& element : built) {
    SCOPED_TRACE(element->TestID_get());
    EXPECT_TRUE(listed.count(element->TestID_get()));
    EXPECT_FALSE(element->Info_get()->Name_get().empty());
    auto test = std::dynamic_pointer_cast<plugin::IAutoTest>(element);
    ASSERT_TRUE(test);
    if (!test->IsGroup_get()) {
      ASSERT_TRUE(test->SafetyTest_get());
      EXPECT_NE(test->SafetyTest_get()->TestCode_get(), 0);
    }
  }
}

TEST_F(ShippedCatalogue, FixedIdsNameTheirInstrumentTests) {
  const std::tuple<int32_t, vti::ETrxTestCode, vti::ETrxPowerConfiguration> fixed[] = {
      {201, vti::etcMains, vti::epcMainsL1L2}, {300, vti::etcProtEarth, vti::epcOff},
      {400, vti::etcEquipCurr, vti::epcNC},    {700, vti::etcPPLeak, vti::epcOff},
      {820, vti::etcIRAppl, vti::epcOff},      {904, vti::etcEarthLeak, vti::epcONRM},
      {1106, vti::etcPatLeak, vti::epcOERM},   {1202, vti::etcMAP, vti::epcNCRM},
      {1704, vti::etcDELeak, vti::epcOERM},    {1801, vti::etcAltAppl, vti::epcOff},
      {1900, vti::etcECGTest, vti::epcNC},
  };
  auto catalogue = entry->Tests_get();
  for (const auto& [id, code, power] : fixed) {
    SCOPED_TRACE(id);
    auto test = std::dynamic_pointer_cast<plugin::IAutoTest>(catalogue->FindElement(id));
    ASSERT_TRUE(test);
    EXPECT_EQ(test->SafetyTest_get()->TestCode_get(), code);
    EXPECT_EQ(test->SafetyTest_get()->PowerConfig_get(), power);
  }
  for (int32_t group : {100, 200, 800, 900, 1000, 1100, 1200, 1300, 1400, 1500, 1600, 1700, 1800}) {
    auto test = std::dynamic_pointer_cast<plugin::IAutoTest>(catalogue->FindElement(group));
    ASSERT_TRUE(test) << group;
    EXPECT_TRUE(test->IsGroup_get()) << group;
  }
}

// A standard that leaves out a key the element has would judge that reading against nothing:
// every standard an element brings holds every key of the element (values may be left empty
// where no value is confirmed).
TEST_F(ShippedCatalogue, EveryStandardOfAnElementHoldsEveryKeyOfThatElement) {
  int standardsSeen = 0;
  for (const auto& element : everyElement()) {
    auto standards = element->Limits_get()->Standards_get();
    if (!standards) continue;
    auto expected = host_api::hostServices().classes.newLimitStandard();
    plugin::MTestLimits::AddLimitKeys(*expected, dynamic_cast<plugin::IAutoTest*>(element.get()),
                                      element.get());
    for (int32_t i = 1; i <= standards->Count(); ++i) {
      auto standard = standards->Item(i);
      SCOPED_TRACE(std::to_string(element->TestID_get()) + " " + standard->Name_get());
      auto held = keysOf(*standard);
      for (const auto& key : keysOf(*expected)) EXPECT_TRUE(held.count(key)) << key;
      ++standardsSeen;
    }
  }
  EXPECT_GT(standardsSeen, 50);
}

TEST_F(ShippedCatalogue, CreateTestGivesIndependentClonesWithoutLimits) {
  auto first = entry->CreateTest(1100);
  auto second = entry->CreateTest(1100);
  ASSERT_TRUE(first && second);
  EXPECT_NE(first, second);
  EXPECT_NE(first, entry->Tests_get()->FindElement(1100));
  auto firstGroup = std::dynamic_pointer_cast<host_api::ITestContainer>(first);
  auto secondGroup = std::dynamic_pointer_cast<host_api::ITestContainer>(second);
  ASSERT_EQ(firstGroup->Count(), secondGroup->Count());
  for (int32_t i = 1; i <= firstGroup->Count(); ++i) {
    EXPECT_NE(firstGroup->Item(i), secondGroup->Item(i));
    EXPECT_EQ(firstGroup->Item(i)->Parent_get(), first);
    auto standards = firstGroup->Item(i)->Limits_get()->Standards_get();
    EXPECT_TRUE(!standards || standards->Count() == 0);
  }
  // The catalogue keeps its limits: the clones' resets do not reach it.
  auto original = entry->Tests_get()->FindElement(1101)->Limits_get()->Standards_get();
  ASSERT_TRUE(original);
  EXPECT_GT(original->Count(), 0);
  EXPECT_EQ(entry->CreateTest(4242), nullptr);
  EXPECT_FALSE(entry->UpdateNomenClature_get());
}

TEST_F(ShippedCatalogue, DeviceDataOnlyForTemplatesWithAGroupThatTestsAppliedParts) {
  auto& application =
      dynamic_cast<host::HostApplicationService&>(*host_api::hostServices().application);
  application.setOpenElements({entry->CreateTest(300), entry->CreateTest(700)});
  EXPECT_EQ(entry->CreateDUTData(), nullptr);
  application.setOpenElements({entry->CreateTest(300), entry->CreateTest(1100)});
  auto data = std::dynamic_pointer_cast<plugin::CModuleSetup>(entry->CreateDUTData());
  ASSERT_TRUE(data);
  EXPECT_EQ(data->Count_get(), 0);
  EXPECT_EQ(entry->DUTModuleSetup_get(), data);
  application.setOpenElements({});
}

TEST_F(ShippedCatalogue, LimitStandardsUnderAamiTermsOfferNoBodyFloatLimits) {
  auto standards = entry->Tests_get()->FindElement(1101)->Limits_get()->Standards_get();
  ASSERT_TRUE(standards && standards->Count() > 0);
  auto probe = standards->Item(1);
  auto iec = entry->LimitStandardOf(1101, probe->StandardID_get(), probe->ClassName_get());
  ASSERT_TRUE(iec);
  auto iecKeys = keysOf(*iec);
  EXPECT_TRUE(iecKeys.count("::BF"));
  entry->SetupObject().Nomenclature_let(1);
  auto aami = entry->LimitStandardOf(1101, probe->StandardID_get(), probe->ClassName_get());
  for (const auto& key : keysOf(*aami)) EXPECT_EQ(key.find("::BF"), std::string::npos) << key;
  EXPECT_TRUE(keysOf(*aami).count("::CF"));
  // The catalogue's own standard is untouched.
  EXPECT_EQ(keysOf(*probe), iecKeys);
  EXPECT_EQ(entry->LimitStandardOf(1101, 99, "I"), nullptr);
  EXPECT_EQ(entry->LimitStandardOf(4242, probe->StandardID_get(), probe->ClassName_get()), nullptr);
}

}  // namespace
