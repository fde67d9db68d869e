#include "plugin/core/CPlugInSetup.h"

#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MSharedTools.h"
#include "support/InstalledHost.h"

using namespace plugin;
using platform::ComError;

namespace {
const std::string Source = "orvelTRX440.CPlugInSetup";

class CPlugInSetupTest : public InstalledHost {
 protected:
  // Loads from the plug-in's own key, as the plug-in entry does.
  void load() { setup.RegLoad(0, ""); }
  std::string defaultCatalogue() const { return "/opt/orvel/plugins/orvelTRX440.mpc"; }

  CPlugInSetup setup{"/opt/orvel/plugins"};
};
}  // namespace

TEST_F(CPlugInSetupTest, AFreshInstallationStartsWithTheDefaultsAndOneNotice) {
  for (bool emptyFile : {false, true}) {
    if (emptyFile) writeFile(registryFile(), "");
    CPlugInSetup fresh("/opt/orvel/plugins");
    EXPECT_EQ(fresh.Configuration_get(), "");
    fresh.RegLoad(0, "");
    EXPECT_EQ(fresh.Configuration_get(), defaultCatalogue());
    EXPECT_EQ(fresh.Nomenclature_get(), 0);
    EXPECT_EQ(fresh.PolarityDelay_get(), 1);
  }
  ASSERT_EQ(reported().size(), 2u);  // one per load
  EXPECT_EQ(reported()[0].number(), MPlugInErrors::errSettingsKey);
  EXPECT_EQ(reported()[0].source(), Source);
  EXPECT_EQ(reported()[0].description(),
            "The plug-in settings could not be opened in the registry.");
}

TEST_F(CPlugInSetupTest, SavedSettingsAreReadBackWithoutNotice) {
  auto settings = key(MSharedTools::PlugInKey);
  settings->WriteText("Configuration", "/data/catalogue.mpc");
  settings->WriteLong("Nomenclature", 1);
  settings->WriteLong("PolarityDelay", 3);
  load();
  EXPECT_EQ(setup.Configuration_get(), "/data/catalogue.mpc");
  EXPECT_EQ(setup.Nomenclature_get(), 1);
  EXPECT_EQ(setup.PolarityDelay_get(), 3);

  // The catalogue path is never saved, so an empty or absent one is normal.
  settings->WriteText("Configuration", "");
  load();
  EXPECT_EQ(setup.Configuration_get(), defaultCatalogue());
  EXPECT_TRUE(reported().empty());
}

TEST_F(CPlugInSetupTest, MissingValuesTakeTheirDefaultsAndAreReportedOnce) {
  key(MSharedTools::PlugInKey)->WriteText("Configuration", "/data/catalogue.mpc");
  setup.Nomenclature_let(1);
  load();
  EXPECT_EQ(setup.Configuration_get(), "/data/catalogue.mpc");
  EXPECT_EQ(setup.Nomenclature_get(), 0);
  EXPECT_EQ(setup.PolarityDelay_get(), 1);
  ASSERT_EQ(reported().size(), 1u);
  EXPECT_EQ(reported()[0].number(), MPlugInErrors::errRegistryValueMissing);
  EXPECT_EQ(reported()[0].description(),
            "The plug-in settings in the registry lack Nomenclature, PolarityDelay; the default "
            "is used.");
}

TEST_F(CPlugInSetupTest, ADelayOutside1To5Becomes1) {
  auto settings = key(MSharedTools::PlugInKey);
  settings->WriteLong("Nomenclature", 0);
  for (auto [stored, expected] : {std::pair{0, 1}, {9, 1}, {-2, 1}, {5, 5}, {1, 1}}) {
    settings->WriteLong("PolarityDelay", stored);
    load();
    EXPECT_EQ(setup.PolarityDelay_get(), expected) << stored;
  }
}

TEST_F(CPlugInSetupTest, SavingCreatesTheKeyAndNeverWritesTheCataloguePath) {
  setup.Configuration_let("/data/catalogue.mpc");
  setup.Nomenclature_let(1);
  setup.PolarityDelay_let(4);
  setup.RegSave(0, "");
  EXPECT_EQ(readFile(registryFile()),
            "[HKLM\\Software\\Tavik\\orvel\\TRX440]\nNomenclature=1\nPolarityDelay=4\n");

  CPlugInSetup other("/opt/orvel/plugins");
  other.RegLoad(0, "");
  EXPECT_EQ(other.Nomenclature_get(), 1);
  EXPECT_EQ(other.PolarityDelay_get(), 4);
  EXPECT_TRUE(reported().empty());
}

TEST_F(CPlugInSetupTest, AGivenRootAndKeyAreUsedInsteadOfThePlugInsKey) {
  setup.PolarityDelay_let(2);
  setup.RegSave(host_api::RegistryRoot::CurrentUser, "Software\\Bench");
  EXPECT_EQ(readFile(registryFile()), "[HKCU\\Software\\Bench]\nNomenclature=0\nPolarityDelay=2\n");
  setup.PolarityDelay_let(5);
  setup.RegLoad(host_api::RegistryRoot::CurrentUser, "Software\\Bench");
  EXPECT_EQ(setup.PolarityDelay_get(), 2);
}

TEST_F(CPlugInSetupTest, AMalformedSettingsFileEndsTheLoadAndKeepsTheValues) {
  writeFile(registryFile(), "[HKLM\\Software\\Tavik\\orvel\\TRX440]\nPolarityDelay\n");
  setup.PolarityDelay_let(4);
  try {
    load();
    ADD_FAILURE() << "a malformed settings file was read";
  } catch (const ComError& error) {
    EXPECT_EQ(error.number(), platform::RuntimeError::InvalidFileFormat);
    EXPECT_EQ(error.source(), Source);
    EXPECT_NE(error.description().find("registry.ini"), std::string::npos) << error.description();
    EXPECT_NE(error.description().find("(host)"), std::string::npos) << error.description();
  }
  EXPECT_EQ(setup.PolarityDelay_get(), 4);
  // Nothing is saved over it either.
  EXPECT_THROW(setup.RegSave(0, ""), ComError);
  EXPECT_EQ(readFile(registryFile()), "[HKLM\\Software\\Tavik\\orvel\\TRX440]\nPolarityDelay\n");
}

TEST_F(CPlugInSetupTest, OffersADialogButNoSettingsObject) {
  EXPECT_TRUE(setup.HasDialog_get());
  setup.Settings_set(std::make_shared<platform::Object>());
  EXPECT_EQ(setup.Settings_get(), nullptr);
}

TEST(MLibraryLocation, NamesTheFolderTheCodeWasLoadedFrom) {
  // The plug-in's code lies in its shared library, wherever the program that loaded it lives.
  std::filesystem::path folder = MLibraryLocation::Folder();
  EXPECT_TRUE(std::filesystem::exists(folder / "liborvelTRX440.so")) << folder;
}
