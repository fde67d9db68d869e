#include <gtest/gtest.h>

#include "host/HostItemCollection.h"
#include "host/HostXmlService.h"
#include "support/TestHost.h"

namespace {

constexpr const char* kModuleInfo = "Software\\Tavik\\orvel\\TRX440\\Module Info";

std::vector<std::string> names(const host_api::IItemCollection& items) {
  std::vector<std::string> result;
  for (int32_t i = 1; i <= items.Count(); ++i) {
    auto item = items.Item(i);
    result.push_back(item->Name_get() + (item->Key_get() ? "*" : ""));
  }
  return result;
}

}  // namespace

TEST(HostItemCollectionTest, ItemsAreFoundByPositionOrNameAndAnExistingNameIsUpdated) {
  host::HostItemCollection items;
  items.Add("Name", "ECG", true);
  items.Add("Type", "", false);
  auto again = items.Add("Name", "SpO2", false);
  EXPECT_EQ(items.Count(), 2);
  EXPECT_EQ(items.Item(1), again);
  EXPECT_EQ(items.Item("Name")->Value_get(), "SpO2");
  EXPECT_EQ(items.Item(0), nullptr);
  EXPECT_EQ(items.Item(3), nullptr);
  EXPECT_EQ(items.Item("name"), nullptr);

  auto clone = items.Clone();
  clone->Item(1)->Value_let("changed");
  EXPECT_EQ(items.Item(1)->Value_get(), "SpO2");
}

TEST(HostItemCollectionTest, ItemsRoundTripBesideTheOwnersOwnAttributesAndChildren) {
  host::HostXmlService xml;
  auto doc = xml.loadDocumentFromString(
      R"(<Root><Module ID="3" Class="2"><Note>keep</Note></Module></Root>)");
  auto module = doc->documentElement()->findChild("Module");
  host::HostItemCollection items;
  items.Add("Name", "ECG <lead> & \"µ\"", true);
  items.Add("Serial number", "", false);
  items.Save(*module);

  auto reread = xml.loadDocumentFromString(doc->toString());
  auto element = reread->documentElement()->findChild("Module");
  EXPECT_EQ(element->getAttribute("ID"), "3");
  EXPECT_EQ(element->findChild("Note")->text(), "keep");
  EXPECT_NE(doc->toString().find(R"(<Item Name="Serial number" Key="False" />)"), std::string::npos)
      << doc->toString();

  host::HostItemCollection loaded;
  loaded.Add("Stale", "x", false);
  loaded.Load(*element);
  EXPECT_EQ(names(loaded), (std::vector<std::string>{"Name*", "Serial number"}));
  EXPECT_EQ(loaded.Item("Name")->Value_get(), "ECG <lead> & \"µ\"");
}

TEST(HostItemCollectionTest, LoadSkipsItemsWithoutANameAndKeepsTheLaterOfTwo) {
  host::HostXmlService xml;
  auto doc = xml.loadDocumentFromString(
      R"(<M><Item Key="True">lost</Item><Item Name="">lost</Item><Item Name="A">1</Item>)"
      R"(<Item Name="A" Key="True">2</Item></M>)");
  host::HostItemCollection items;
  items.Load(*doc->documentElement());
  EXPECT_EQ(names(items), std::vector<std::string>{"A*"});
  EXPECT_EQ(items.Item(1)->Value_get(), "2");
}

TEST(HostItemCollectionTest, DefinitionsComeFromTheRegistryWithTheirKeyFlags) {
  testing_host::TestHost host;
  host.registry().set(kModuleInfo, "Item1", "Code; key");
  host.registry().set(kModuleInfo, "Item2", "Manufacturer");
  host.registry().set(kModuleInfo, "Item3", " ");
  host.registry().set(kModuleInfo, "Item4", "Lot");
  host.registry().set(kModuleInfo, "Item6", "After a gap");
  host::HostItemCollection items;
  items.Add("Old", "x", false);
  items.LoadDefinitions(host_api::RegistryRoot::LocalMachine, kModuleInfo, "TRX440");
  EXPECT_EQ(names(items), (std::vector<std::string>{"Code*", "Manufacturer", "Lot"}));
  EXPECT_EQ(items.Item("Code")->Value_get(), "");
}

TEST(HostItemCollectionTest, AMissingOrEmptyDefinitionGivesTheDefaultItems) {
  testing_host::TestHost host;
  const std::vector<std::string> defaults{"Name*", "Type", "Serial number"};
  host::HostItemCollection items;
  items.LoadDefinitions(host_api::RegistryRoot::LocalMachine, kModuleInfo, "TRX440");
  EXPECT_EQ(names(items), defaults);
  host.registry().set(kModuleInfo, "Other", "x");
  items.LoadDefinitions(host_api::RegistryRoot::LocalMachine, kModuleInfo, "TRX440");
  EXPECT_EQ(names(items), defaults);
}
