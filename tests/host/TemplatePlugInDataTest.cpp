// The device data of a template as the analyzer's plug-in hands it out: its module setup,
// created by its ProgID from the loaded plug-in library, without any plug-in header.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/HostXmlService.h"
#include "host/TestTemplate.h"
#include "platform/components/ComponentLibrary.h"
#include "support/TestFiles.h"
#include "support/TestHost.h"

namespace {

using host::TestTemplate;

TEST(TemplatePlugInData, TheDevicesModuleSetupIsStoredAndCreatedAgainByItsClass) {
  TempDir dir;
  testing_host::TestHost host;
  platform::components::ComponentRegistry registry;
  platform::components::ComponentsOverride scoped{registry};
  auto library = platform::components::ComponentLibrary::load(ORVEL_PLUGIN_LIBRARY, registry);

  auto setup = std::dynamic_pointer_cast<host_api::IConfigData>(
      registry.create(TestTemplate::kModuleSetupProgId));
  ASSERT_NE(setup, nullptr);
  auto stored = host::HostXmlService().loadDocumentFromString(
      "<PlugInData PlugIn=\"TRX440\"><ModuleSetup>"
      "<Module ID=\"1\" Class=\"3\" Leads=\"3\" FirstLead=\"1\"/>"
      "<Module ID=\"2\" Class=\"2\" Leads=\"1\" FirstLead=\"4\"/>"
      "</ModuleSetup></PlugInData>");
  setup->Load(*stored->documentElement(), nullptr);

  TestTemplate made;
  made.setStandard("IEC 62353", "I");
  made.setDeviceData(setup);
  made.save(dir / "t.xml");
  const auto text = readFile(dir / "t.xml");
  EXPECT_NE(text.find("ClassName=\"orvelTRX440.CModuleSetup\""), std::string::npos) << text;
  EXPECT_NE(text.find("FirstLead=\"4\""), std::string::npos) << text;

  auto loaded = TestTemplate::load(dir / "t.xml");
  ASSERT_NE(loaded->deviceData(), nullptr);
  EXPECT_NE(loaded->deviceData(), setup);
  loaded->save(dir / "again.xml");
  EXPECT_EQ(readFile(dir / "again.xml"), text);
}

}  // namespace
