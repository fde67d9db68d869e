#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TemplateStandIns.h"
#include "host/HostApplicationService.h"
#include "host/HostLocations.h"
#include "host/TestTemplate.h"
#include "support/ExpectError.h"
#include "support/TestFiles.h"
#include "support/TestHost.h"

namespace {

using namespace host_fakes;
using host::HostData;
using host::TestTemplate;
using host_api::InsertRelation::Last;

// Text that must survive the markup of the file: quotes, brackets, a line break, a tab.
const std::string kAwkward = "Pump \"A\" <B> & 'C'\n\tµA ; | {x}";

std::vector<int32_t> testIds(const std::vector<std::shared_ptr<host_api::ITestElement>>& elements) {
  std::vector<int32_t> ids;
  for (const auto& element : elements) ids.push_back(element->TestID_get());
  return ids;
}

std::vector<std::shared_ptr<host_api::ITestElement>> childrenOf(
    const std::shared_ptr<host_api::ITestElement>& element) {
  return std::dynamic_pointer_cast<host_api::ITestContainer>(element)->NewEnum();
}

class TestTemplateTest : public ::testing::Test {
 protected:
  // A device tested to IEC 62353: group 100 {110, group 120 {121}}, then element 1900 with host
  // data of its own.
  std::shared_ptr<TestTemplate> sample() {
    auto made = std::make_shared<TestTemplate>();
    made->setStandard("IEC 62353:2014", "II");
    made->setDeviceName(kAwkward);
    made->setSerialNumber("SN 0042");
    auto data = std::make_shared<FakeDeviceData>();
    data->text = " " + kAwkward + " ";
    made->setDeviceData(data, "orvelTRX440.FakeDeviceData");
    auto top = group(100, 1);
    auto earth = element(110, 2, kAwkward);
    earth->setConfigValue(7);
    top->Add(earth, nullptr, Last);
    auto inner = group(120, 3);
    top->Add(inner, nullptr, Last);
    inner->Add(element(121, 4, "Normal"), nullptr, Last);
    made->addElement(top, "orvelTRX440.FakeGroup");
    made->addElement(element(1900, 5, "ECG"), {}, {{"Orvel", "7.2"}, {"Operator", kAwkward}});
    return made;
  }

  TempDir dir;
  testing_host::TestHost host;
  TemplateRegistry classes;
};

TEST_F(TestTemplateTest, ATemplateReadBackIsTheTemplateSavedAndSavesToTheSameFile) {
  sample()->save(dir / "t.xml");
  auto loaded = TestTemplate::load(dir / "t.xml");

  EXPECT_EQ(testIds(loaded->elements()), (std::vector<int32_t>{100, 1900}));
  auto top = loaded->element(1);
  EXPECT_EQ(testIds(childrenOf(top)), (std::vector<int32_t>{110, 120}));
  EXPECT_EQ(testIds(childrenOf(childrenOf(top)[1])), (std::vector<int32_t>{121}));
  auto earth = std::dynamic_pointer_cast<FakeElement>(childrenOf(top)[0]);
  EXPECT_EQ(earth->configValue(), 7);
  EXPECT_EQ(earth->Info_get()->Name_get(), kAwkward);
  EXPECT_EQ(earth->Parent_get(), top);

  EXPECT_EQ(loaded->elementData(*top), (HostData{{"Standard", "IEC 62353:2014"}}));
  EXPECT_EQ(loaded->elementData(*loaded->element(2)),
            (HostData{{"Standard", "IEC 62353:2014"}, {"Orvel", "7.2"}, {"Operator", kAwkward}}));
  ASSERT_EQ(loaded->standards()->Count(), 1);
  EXPECT_EQ(loaded->standards()->Item(1)->StandardID_get(), 4);
  EXPECT_EQ(loaded->standards()->Item(1)->ClassName_get(), "II");
  EXPECT_EQ(loaded->standardText(), "IEC 62353:2014");
  EXPECT_EQ(loaded->deviceClass(), "II");
  EXPECT_EQ(loaded->deviceName(), kAwkward);
  EXPECT_EQ(loaded->serialNumber(), "SN 0042");
  auto data = std::dynamic_pointer_cast<FakeDeviceData>(loaded->deviceData());
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text, " " + kAwkward + " ");
  EXPECT_EQ(loaded->deviceDataProgId(), "orvelTRX440.FakeDeviceData");

  loaded->save(dir / "again.xml");
  EXPECT_EQ(readFile(dir / "again.xml"), readFile(dir / "t.xml"));
}

TEST_F(TestTemplateTest, ATemplateWithoutStandardOrDeviceDataRoundTripsEmpty) {
  TestTemplate empty;
  empty.addElement(element(300, 1));
  EXPECT_TRUE(empty.elementData(*empty.element(1)).empty());
  empty.save(dir / "t.xml");
  auto loaded = TestTemplate::load(dir / "t.xml");
  EXPECT_EQ(loaded->count(), 1);
  EXPECT_EQ(loaded->standards()->Count(), 0);
  EXPECT_EQ(loaded->deviceData(), nullptr);
  EXPECT_TRUE(loaded->elementData(*loaded->element(1)).empty());
  loaded->save(dir / "again.xml");
  EXPECT_EQ(readFile(dir / "again.xml"), readFile(dir / "t.xml"));
}

TEST_F(TestTemplateTest, TheStandardLeadsEveryElementsHostDataAndAnUnknownOneChangesNothing) {
  auto made = sample();
  made->setStandard("AAMI ES60601-1", "I");
  EXPECT_EQ(made->elementData(*made->element(2)),
            (HostData{{"Standard", "AAMI ES60601-1"}, {"Orvel", "7.2"}, {"Operator", kAwkward}}));
  ASSERT_EQ(made->standards()->Count(), 1);
  EXPECT_EQ(made->standards()->Item(1)->Name_get(), "AAMI ES60601-1 I");

  EXPECT_EQ(expectComError([&] { made->setStandard("ISO 9001", "I"); }).number(), 5);
  EXPECT_EQ(expectComError([&] { made->setStandard("IEC 62353", "BF"); }).number(), 5);
  EXPECT_EQ(made->standardText(), "AAMI ES60601-1");
  EXPECT_EQ(made->standards()->Item(1)->StandardID_get(), 6);
  EXPECT_EQ(made->elementData(*made->element(1)), (HostData{{"Standard", "AAMI ES60601-1"}}));

  // Data handed in with other names first still gets the standard before them.
  made->addElement(element(300, 9), {}, {{"Operator", "J. Doe"}});
  EXPECT_EQ(made->elementData(*made->element(3)).front(),
            (std::pair<std::string, std::string>{"Standard", "AAMI ES60601-1"}));
}

TEST_F(TestTemplateTest, ElementsInsideGroupsHaveTheHostDataOfTheirTopLevelElement) {
  auto made = sample();
  auto inner = made->find(121);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(made->elementData(*inner), made->elementData(*made->element(1)));
  EXPECT_TRUE(made->elementData(*element(121, 4)).empty());
  EXPECT_EQ(expectComError([&] { made->setElementData(*inner, {}); }).number(),
            host_api::ElementError::NoSuchChild);
  made->removeElement(made->element(1));
  EXPECT_TRUE(made->elementData(*inner).empty());
}

TEST_F(TestTemplateTest, TheApplicationServiceAnswersFromTheOpenTemplateAsItChanges) {
  auto service =
      std::make_shared<host::HostApplicationService>(host::HostLocations::resourceDir(), "en");
  host_api::IApplicationService& application = *service;
  auto made = sample();
  service->setOpenTemplate(made);
  EXPECT_EQ(application.TestElements_get().size(), 2u);
  made->addElement(element(300, 9));
  ASSERT_EQ(application.TestElements_get().size(), 3u);
  EXPECT_EQ(application.TestElements_get()[2], made->element(3));
  EXPECT_EQ(application.ElementData(*made->find(121)), (HostData{{"Standard", "IEC 62353:2014"}}));

  service->setOpenTemplate(nullptr);
  EXPECT_TRUE(application.TestElements_get().empty());
  EXPECT_TRUE(application.ElementData(*made->find(121)).empty());
}

}  // namespace
