#include "plugin/core/MSharedTools.h"

#include "support/GermanLocale.h"
#include "support/InstalledHost.h"

using namespace plugin;

using MSharedToolsTest = InstalledHost;

TEST_F(MSharedToolsTest, TestGuideIsOnTopFor4And9AndAbove) {
  EXPECT_FALSE(MSharedTools::TestGuideOnTop());  // no key at all
  auto system = key(MSharedTools::SystemKey);
  EXPECT_FALSE(MSharedTools::TestGuideOnTop());  // no value
  for (int32_t value = -1; value <= 12; ++value) {
    system->WriteLong("Test guide settings", value);
    EXPECT_EQ(MSharedTools::TestGuideOnTop(), value == 4 || value >= 9) << value;
  }
}

TEST_F(MSharedToolsTest, TestGuideOnTopReadsAStoredNumberWithAFraction) {
  auto system = key(MSharedTools::SystemKey);
  system->WriteText("Test guide settings", "9.0");
  EXPECT_TRUE(MSharedTools::TestGuideOnTop());
  system->WriteText("Test guide settings", "4.0");
  EXPECT_TRUE(MSharedTools::TestGuideOnTop());
  system->WriteText("Test guide settings", "1.0");
  EXPECT_FALSE(MSharedTools::TestGuideOnTop());
  ScopedGermanLocale german;
  SKIP_UNLESS_INSTALLED(german);
  system->WriteText("Test guide settings", "9.0");
  EXPECT_TRUE(MSharedTools::TestGuideOnTop());
}

TEST_F(MSharedToolsTest, TestGuideOnTopIsFalseWhenTheSettingCannotBeRead) {
  key(MSharedTools::SystemKey)->WriteLong("Test guide settings", 9);
  ASSERT_TRUE(MSharedTools::TestGuideOnTop());
  writeFile(registryFile(), "[HKLM\\Software\\Tavik\\orvel\\Executive\\System]\nbroken\n");
  EXPECT_FALSE(MSharedTools::TestGuideOnTop());
  host_api::hostServicesSlot().reset();
  EXPECT_FALSE(MSharedTools::TestGuideOnTop());
}

TEST_F(MSharedToolsTest, PolarityDelayOutside1To5Is1) {
  EXPECT_EQ(MSharedTools::DefaultPolarityDelay(), 1);  // no key at all
  auto settings = key(MSharedTools::PlugInKey);
  const std::pair<int16_t, int16_t> cases[] = {{0, 1}, {9, 1}, {6, 1}, {-2, 1},
                                               {1, 1}, {5, 5}, {3, 3}};
  for (const auto& [stored, expected] : cases) {
    settings->WriteInteger("PolarityDelay", stored);
    EXPECT_EQ(MSharedTools::DefaultPolarityDelay(), expected) << stored;
  }
  settings->WriteText("PolarityDelay", "70000");
  EXPECT_EQ(MSharedTools::DefaultPolarityDelay(), 1);
}

TEST_F(MSharedToolsTest, NomenclatureIsReadFromThePlugInSettings) {
  EXPECT_EQ(MSharedTools::DefaultNomenclature(), 0);
  key(MSharedTools::PlugInKey)->WriteLong("Nomenclature", 1);
  EXPECT_EQ(MSharedTools::DefaultNomenclature(), 1);
}

TEST_F(MSharedToolsTest, AMalformedSettingsFileReachesTheCaller) {
  writeFile(registryFile(), "[HKLM\\Software\\Tavik\\orvel\\TRX440]\nPolarityDelay\n");
  EXPECT_THROW(MSharedTools::DefaultPolarityDelay(), platform::ComError);
}
