#include <gtest/gtest.h>

#include "FakeHostElements.h"
#include "host/HostContainerCore.h"
#include "host/HostElementCore.h"
#include "host/HostLoadLog.h"
#include "host/HostReport.h"
#include "host/HostTestContainer.h"
#include "host/HostTestGuideConfig.h"
#include "host/HostXmlService.h"
#include "platform/components/ComponentRegistry.h"
#include "support/ExpectError.h"
#include "support/InertHostObjects.h"
#include "support/TestHost.h"

using host_api::InsertRelation::After;
using host_api::InsertRelation::Before;
using host_api::InsertRelation::Last;

namespace {

using namespace host_fakes;

std::vector<int32_t> ids(const std::vector<std::shared_ptr<host_api::ITestElement>>& elements) {
  std::vector<int32_t> result;
  for (const auto& e : elements) result.push_back(e->ID_get());
  return result;
}

class HostElementCoreTest : public ::testing::Test {
 protected:
  HostElementCoreTest() {
    registry.registerClass("orvelTRX440.FakeElement",
                           [] { return std::make_shared<FakeElement>(); });
    registry.registerClass("orvelTRX440.FakeGroup", [] {
      return std::static_pointer_cast<host_api::ITestElement>(FakeGroup::create());
    });
  }
  // `element` saved into a new document, and that document read back from its text.
  std::shared_ptr<host_api::IXmlElement> roundTrip(const host_api::ITestElement& saved) {
    auto doc = xml.createDocument();
    doc->setDocumentElement(doc->createElement("Template"));
    saved.Save(*doc->documentElement());
    text = doc->toString();
    return xml.loadDocumentFromString(text)->documentElement()->child(0);
  }

  platform::components::ComponentRegistry registry;
  platform::components::ComponentsOverride scoped{registry};
  host::HostXmlService xml;
  host::HostLoadLog log;
  std::string text;
};

}  // namespace

TEST_F(HostElementCoreTest, AnElementRoundTripsItsIdentityInformationFilterAndConfiguration) {
  auto saved = element(100, 7, "Earth <leakage> & µA");
  saved->Info_get()->SetType("Single test", "100");
  saved->Info_get()->Description_let("Normal polarity");
  saved->Filter_get()->Counts_let(false);
  saved->setConfigValue(42);
  auto stored = roundTrip(*saved);
  EXPECT_NE(text.find("<TestElement PlugIn=\"TRX440\" TestID=\"100\" ID=\"7\">"), std::string::npos)
      << text;
  EXPECT_LT(text.find("<Info"), text.find("<Filter"));
  EXPECT_LT(text.find("<Filter"), text.find("<PlugInData"));

  FakeElement loaded;
  loaded.Load(*stored, &log);
  EXPECT_EQ(loaded.PlugInID_get(), "TRX440");
  EXPECT_EQ(loaded.TestID_get(), 100);
  EXPECT_EQ(loaded.ID_get(), 7);
  EXPECT_EQ(loaded.Info_get()->Name_get(), "Earth <leakage> & µA");
  EXPECT_EQ(loaded.Info_get()->Parameter_get(), "100");
  EXPECT_EQ(loaded.Info_get()->Description_get(), "Normal polarity");
  EXPECT_TRUE(loaded.Filter_get()->Enabled_get());
  EXPECT_FALSE(loaded.Filter_get()->Counts_get());
  EXPECT_EQ(loaded.configValue(), 42);
  EXPECT_TRUE(log.empty()) << log.text();
}

TEST_F(HostElementCoreTest, WrongElementsMissingTestIdsAndOtherPlugInsAreRefused) {
  FakeElement loaded;
  loaded.core->Initialize("TRX440", 0, 0);
  auto load = [&](const std::string& stored) {
    return expectComError(
        [&] { loaded.Load(*xml.loadDocumentFromString(stored)->documentElement(), &log); });
  };
  EXPECT_EQ(load("<Measurement TestID=\"1\"/>").number(), host_api::ElementError::NotAnElement);
  EXPECT_EQ(load("<TestElement PlugIn=\"TRX440\" ID=\"3\"/>").number(),
            host_api::ElementError::MissingAttribute);
  EXPECT_EQ(load("<TestElement PlugIn=\"Other\" TestID=\"1\"/>").number(),
            host_api::ElementError::OtherPlugIn);
  EXPECT_EQ(load("<TestElement PlugIn=\"TRX440\" TestID=\"1x\"/>").number(), 13);
  EXPECT_EQ(loaded.TestID_get(), 0);
}

TEST_F(HostElementCoreTest, AGroupRoundTripsItsChildrenCreatedByTheirClassNames) {
  auto saved = group(1000, 1);
  auto inner = group(1000, 3);
  saved->Add(element(1010, 2, "first"), nullptr, Last);
  saved->Add(inner, nullptr, Last);
  inner->Add(element(1020, 4), nullptr, Last);
  auto stored = roundTrip(*saved);
  EXPECT_NE(text.find("ClassName=\"orvelTRX440.FakeGroup\""), std::string::npos) << text;

  auto loaded = group(0, 0);
  loaded->Load(*stored, &log);
  EXPECT_TRUE(log.empty()) << log.text();
  ASSERT_EQ(ids(loaded->NewEnum()), (std::vector<int32_t>{2, 3}));
  EXPECT_EQ(loaded->Item(1)->Info_get()->Name_get(), "first");
  EXPECT_EQ(loaded->Item(1)->Parent_get(), loaded);
  auto innerLoaded = std::dynamic_pointer_cast<host_api::ITestContainer>(loaded->Item(2));
  ASSERT_TRUE(innerLoaded);
  EXPECT_EQ(innerLoaded->Item(1)->ID_get(), 4);
  EXPECT_EQ(loaded->FindElement(1020)->ID_get(), 4);
  EXPECT_EQ(loaded->FindElement(1000)->ID_get(), 3);
  EXPECT_EQ(loaded->FindElement(999), nullptr);
}

TEST_F(HostElementCoreTest, ChildrenThatCannotBeCreatedAreLoggedAndLeftOut) {
  auto doc = xml.loadDocumentFromString(
      R"(<TestElement PlugIn="TRX440" TestID="1000" ID="1">
           <TestElement TestID="1010"/>
           <TestElement ClassName="orvelTRX440.Unknown" TestID="1020"/>
           <TestElement ClassName="orvelTRX440.FakeElement" PlugIn="TRX440" TestID="1030"/>
           <TestElement ClassName="orvelTRX440.FakeElement" PlugIn="TRX440"/>
         </TestElement>)");
  auto loaded = group(1000, 1);
  loaded->Add(element(1040, 9), nullptr, Last);
  loaded->Load(*doc->documentElement(), &log);
  ASSERT_EQ(loaded->Count(), 1);
  EXPECT_EQ(loaded->Item(1)->TestID_get(), 1030);
  EXPECT_EQ(log.messages().size(), 3u) << log.text();
}

TEST_F(HostElementCoreTest, ChildrenArePlacedBeforeOrAfterARelativeAndRemoved) {
  auto holder = group(1000, 1);
  auto a = element(1010, 1), b = element(1010, 2), c = element(1010, 3), d = element(1010, 4);
  holder->Add(a, nullptr, Last);
  holder->Add(c, a, After);
  holder->Add(b, c, Before);
  holder->Add(d, c, After);
  EXPECT_EQ(ids(holder->NewEnum()), (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(
      expectComError([&] { holder->Add(element(1010, 5), element(1010, 6), Before); }).number(),
      host_api::ElementError::NoSuchRelative);
  EXPECT_EQ(expectComError([&] { holder->Add(a, nullptr, Last); }).number(), 5);
  holder->Remove(b);
  EXPECT_EQ(expectComError([&] { holder->Remove(b); }).number(),
            host_api::ElementError::NoSuchChild);
  EXPECT_EQ(ids(holder->NewEnum()), (std::vector<int32_t>{1, 3, 4}));
}

TEST_F(HostElementCoreTest, AGroupRefusesAChildThatRefusesItAndItselfOrItsAncestors) {
  auto outer = group(1000, 1);
  auto inner = group(1000, 2);
  outer->Add(inner, nullptr, Last);
  EXPECT_EQ(expectComError([&] { inner->Add(element(1110, 3), nullptr, Last); }).number(),
            host_api::ElementError::ChildRefused);
  EXPECT_EQ(expectComError([&] { inner->Add(outer, nullptr, Last); }).number(),
            host_api::ElementError::ChildRefused);
  EXPECT_EQ(expectComError([&] { inner->Add(inner, nullptr, Last); }).number(),
            host_api::ElementError::ChildRefused);
  EXPECT_EQ(inner->Count(), 0);
}

TEST_F(HostElementCoreTest, ATemplateFindsElementsDepthFirstThroughItsGroups) {
  host::HostTestContainer container;
  auto holder = group(1000, 1);
  holder->Add(element(1010, 2), nullptr, Last);
  container.Add(holder, nullptr, Last);
  container.Add(element(1010, 3), nullptr, Last);
  EXPECT_EQ(container.FindElement(1010)->ID_get(), 2);
  EXPECT_EQ(container.FindElement(1000), holder);
  container.Remove(holder);
  EXPECT_EQ(container.FindElement(1010)->ID_get(), 3);
  EXPECT_EQ(container.Item(2), nullptr);
}

TEST_F(HostElementCoreTest, TestGuideSettingsAreReadFromTheirElementOrItsHolder) {
  host::HostTestGuideConfig config;
  config.Settings_let(9);
  auto doc = xml.createDocument();
  doc->setDocumentElement(doc->createElement("PlugInData"));
  config.Save(*doc->documentElement());
  host::HostTestGuideConfig loaded;
  loaded.Load(*doc->documentElement());
  EXPECT_EQ(loaded.Settings_get(), 9);
  loaded.Load(
      *xml.loadDocumentFromString(R"(<TestGuideSettings Settings="x"/>)")->documentElement());
  EXPECT_EQ(loaded.Settings_get(), 9);
  loaded.Load(
      *xml.loadDocumentFromString(R"(<TestGuideSettings Settings="4"/>)")->documentElement());
  EXPECT_EQ(loaded.Clone()->Settings_get(), 4);
}

TEST_F(HostElementCoreTest, AnElementPrintsItsInformationWithoutBreakingTheRowSyntax) {
  auto printed = element(100, 1, "Leakage | {total}");
  printed->Info_get()->SetType("Single test", "100");
  printed->Info_get()->Description_let("a;b");
  host::HostReport report(0, host_api::ResultReportKind,
                          std::make_shared<testing_host::FakeApplicationService>());
  printed->core->PrintReport(&report);
  printed->core->PrintReport(nullptr);
  ASSERT_EQ(report.tables().size(), 1u);
  const auto& table = report.tables()[0];
  EXPECT_EQ(table.header[0][0].text, "Leakage   (total)");
  EXPECT_TRUE(table.header[0][0].bold);
  ASSERT_EQ(table.body.size(), 2u);
  EXPECT_EQ(table.body[0][1].text, "100");
  EXPECT_EQ(table.body[1][1].text, "a,b");
  EXPECT_EQ(table.columns[1].width, 9638 - 2240);
}
