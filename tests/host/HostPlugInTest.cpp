#include <gtest/gtest.h>

#include <filesystem>

#include "host/HostLoadLog.h"
#include "host/HostPlugIn.h"
#include "platform/components/ComponentRegistry.h"
#include "support/ExpectError.h"
#include "support/TestFiles.h"

namespace {

using host::HostPlugIn;

class HostPlugInTest : public ::testing::Test {
 protected:
  platform::components::ComponentRegistry registry;
  platform::components::ComponentsOverride scoped{registry};

  platform::ComError loadError(const std::filesystem::path& library,
                               const std::string& entry = HostPlugIn::kEntryProgId) {
    return expectComError([&] { HostPlugIn::load(library, nullptr, entry, registry); });
  }
};

void expectNames(const platform::ComError& error, const std::string& what) {
  EXPECT_NE(error.description().find(what), std::string::npos) << error.description();
}

TEST_F(HostPlugInTest, LoadsTheLibraryCreatesTheEntryAndInitialisesItWithTheLog) {
  auto log = std::make_shared<host::HostLoadLog>();
  auto plugIn = HostPlugIn::load(ORVEL_STANDIN_PLUGIN, log, "orvelStandIn.CPlugIn", registry);
  ASSERT_NE(plugIn.plugIn(), nullptr);
  EXPECT_EQ(plugIn->ID_get(), "STANDIN");
  EXPECT_EQ(plugIn->Version_get(), "1.0");
  EXPECT_EQ(log->messages(), std::vector<std::string>{"catalogue read"});
  // The library's other classes are there to be created by ProgID, as templates need them.
  EXPECT_TRUE(registry.isRegistered("orvelStandIn.CNotAPlugIn"));
}

TEST_F(HostPlugInTest, AMissingOrBrokenLibraryIsNamedWithItsNumber) {
  auto missing = loadError("/nowhere/liborvelTRX440.so");
  EXPECT_EQ(missing.number(), platform::RuntimeError::FileNotFound);
  expectNames(missing, "/nowhere/liborvelTRX440.so");

  TempDir dir;
  auto notALibrary = dir.path() / "liborvelTRX440.so";
  writeFile(notALibrary, "not a library");
  auto broken = loadError(notALibrary);
  EXPECT_EQ(broken.number(), platform::components::errLibraryNotLoaded);
  expectNames(broken, notALibrary.string());

  auto noEntry = loadError(ORVEL_NO_ENTRY_LIBRARY);
  EXPECT_EQ(noEntry.number(), platform::components::errEntryPointMissing);
  expectNames(noEntry, ORVEL_NO_ENTRY_LIBRARY);
}

TEST_F(HostPlugInTest, ALibraryWithoutTheEntryClassOrWithAnEntryThatIsNoPlugInIsRefused) {
  auto withoutClass = loadError(ORVEL_STANDIN_PLUGIN);
  EXPECT_EQ(withoutClass.number(), platform::RuntimeError::ClassNotRegistered);
  expectNames(withoutClass, ORVEL_STANDIN_PLUGIN);
  expectNames(withoutClass, "orvelTRX440.CPlugInTRX440");

  auto notAPlugIn = loadError(ORVEL_STANDIN_PLUGIN, "orvelStandIn.CNotAPlugIn");
  EXPECT_EQ(notAPlugIn.number(), platform::RuntimeError::TypeMismatch);
  expectNames(notAPlugIn, "orvelStandIn.CNotAPlugIn");
}

TEST_F(HostPlugInTest, AnInitialisationErrorKeepsItsNumberAndNamesTheLibrary) {
  auto error = loadError(ORVEL_STANDIN_PLUGIN, "orvelStandIn.CNoCatalogue");
  EXPECT_EQ(error.number(), platform::RuntimeError::FileNotFound);
  expectNames(error, ORVEL_STANDIN_PLUGIN);
  expectNames(error, "/nowhere/catalogue.mpc");
}

TEST(HostPlugInLocation, TheEnvironmentNamesTheLibraryElseTheBuildTreeHasIt) {
  {
    ScopedEnv configured("ORVEL_PLUGIN", "/opt/orvel/liborvelTRX440.so");
    EXPECT_EQ(HostPlugIn::defaultLibrary(), "/opt/orvel/liborvelTRX440.so");
  }
  ScopedEnv unset("ORVEL_PLUGIN", "");
  auto found = HostPlugIn::defaultLibrary();
  EXPECT_EQ(found.filename(), HostPlugIn::kLibraryName);
  EXPECT_TRUE(found.is_absolute()) << found;
}

}  // namespace
