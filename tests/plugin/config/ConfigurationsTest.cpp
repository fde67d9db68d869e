#include <gtest/gtest.h>

#include "ConfigDoubles.h"
#include "ConfigFixture.h"
#include "plugin/config/CConfigECG.h"
#include "plugin/config/CConfigResistance.h"
#include "plugin/core/MPlugInErrors.h"
#include "support/ExpectError.h"

using namespace plugin;
using config_test::FakeTestGuideConfig;

namespace {
class ConfigurationsTest : public ConfigFixture {
 protected:
  void SetUp() override {
    ConfigFixture::SetUp();
    host_api::hostServices().classes.newTestGuideConfig = [] {
      return std::make_shared<FakeTestGuideConfig>();
    };
  }
};
}  // namespace

TEST_F(ConfigurationsTest, AResistanceConfigurationIsStoredAsThePlugInsDataAndReadBack) {
  CConfigResistance config;
  config.Buttons_get()->EnableStep_let(false);
  config.Test_get()->SkipCalibration_let(true);
  config.Save(*newOwner());
  EXPECT_EQ(savedText(),
            "<Owner>\n"
            "  <PlugInData PlugIn=\"TRX440\">\n"
            "    <EnableBtn Skip=\"True\" NA=\"True\" Step=\"False\" />\n"
            "    <ResOptions MeasType=\"0\" SkipCalibration=\"-1\" />\n"
            "  </PlugInData>\n"
            "</Owner>\n");

  CConfigResistance loaded;
  loaded.Load(*parse(savedText())->findChild("PlugInData"), nullptr);
  EXPECT_FALSE(loaded.Buttons_get()->EnableStep_get());
  EXPECT_TRUE(loaded.Test_get()->SkipCalibration_get());
}

TEST_F(ConfigurationsTest, LoadStartsFromNewRecordsAndIgnoresUnknownChildren) {
  CConfigResistance config;
  config.Buttons_get()->EnableSkip_let(false);
  config.Test_get()->MeasType_let(2);
  config.Load(*parse("<Anything PlugIn='other'><Junk Skip='False'/></Anything>"), nullptr);
  EXPECT_TRUE(config.Buttons_get()->EnableSkip_get());
  EXPECT_EQ(config.Test_get()->MeasType_get(), 0);
}

TEST_F(ConfigurationsTest, AFailedLoadKeepsTheRecordsReadBeforeAndNamesTheConfiguration) {
  CConfigResistance config;
  auto error = expectComError([&] {
    config.Load(*parse("<PlugInData><EnableBtn Skip='True'/>"
                       "<ResOptions MeasType='1e20'/></PlugInData>"),
                nullptr);
  });
  EXPECT_EQ(error.number(), platform::RuntimeError::Overflow);
  EXPECT_EQ(error.source(), "orvelTRX440.CConfigResistance");
  EXPECT_TRUE(config.Buttons_get()->EnableSkip_get());
  EXPECT_FALSE(config.Buttons_get()->EnableStep_get());
}

TEST_F(ConfigurationsTest, AConfigurationThatCannotBeSavedRaisesTheSaveErrorWithItsName) {
  config_test::DetachedElement owner;
  for (const auto& config : std::vector<std::shared_ptr<host_api::IConfigData>>{
           std::make_shared<CConfigResistance>(), std::make_shared<CConfigECG>()}) {
    auto error = expectComError([&] { config->Save(owner); });
    EXPECT_EQ(error.number(), MPlugInErrors::errConfigSave);
    EXPECT_TRUE(error.source() == "orvelTRX440.CConfigResistance" ||
                error.source() == "orvelTRX440.CConfigECG")
        << error.source();
  }
}

TEST_F(ConfigurationsTest, AnECGConfigurationCarriesTheHostsTestGuideSettings) {
  CConfigECG config;
  ASSERT_NE(config.TestGuideConfig_get(), nullptr);
  config.TestGuideConfig_get()->Settings_let(4);
  config.ECGOptions_get()->WaveformType_let(7);
  config.Save(*newOwner());
  EXPECT_EQ(savedText(),
            "<Owner>\n"
            "  <PlugInData PlugIn=\"TRX440\">\n"
            "    <ECGOptions Duration=\"10\" Indefinite=\"False\" WaveType=\"7\" />\n"
            "    <TestGuideSettings Settings=\"4\" />\n"
            "  </PlugInData>\n"
            "</Owner>\n");

  CConfigECG loaded;
  loaded.Load(*parse(savedText())->findChild("PlugInData"), nullptr);
  EXPECT_EQ(loaded.ECGOptions_get()->WaveformType_get(), 7);
  EXPECT_EQ(loaded.TestGuideConfig_get()->Settings_get(), 4);
}

TEST_F(ConfigurationsTest, ClonesCopyTheRecordsButNotTheOwner) {
  auto owner = std::make_shared<config_test::FakeTestElement>(1900);
  CConfigECG ecg;
  ecg.Owner_set(owner);
  ecg.TestGuideConfig_get()->Settings_let(9);
  auto ecgCopy = std::dynamic_pointer_cast<CConfigECG>(ecg.Clone());
  ASSERT_NE(ecgCopy, nullptr);
  EXPECT_EQ(ecgCopy->Owner_get(), nullptr);
  EXPECT_EQ(ecgCopy->TestGuideConfig_get()->Settings_get(), 9);
  EXPECT_NE(ecgCopy->TestGuideConfig_get(), ecg.TestGuideConfig_get());
  ecgCopy->ECGOptions_get()->Duration_let(1);
  EXPECT_EQ(ecg.ECGOptions_get()->Duration_get(), 10);

  CConfigResistance resistance;
  resistance.Owner_set(owner);
  auto resistanceCopy = std::dynamic_pointer_cast<CConfigResistance>(resistance.Clone());
  ASSERT_NE(resistanceCopy, nullptr);
  EXPECT_EQ(resistanceCopy->Owner_get(), nullptr);
  resistanceCopy->Buttons_get()->EnableNA_let(false);
  EXPECT_TRUE(resistance.Buttons_get()->EnableNA_get());
}

TEST_F(ConfigurationsTest, WithoutItsDialogFormsAConfigurationOffersNoDialogAndSaysWhy) {
  CConfigResistance resistance;
  CConfigECG ecg;
  EXPECT_EQ(resistance.CreateDialog(), nullptr);
  EXPECT_EQ(ecg.CreateDialog(), nullptr);
  ASSERT_EQ(reported().size(), 2u);
  EXPECT_EQ(reported()[0].source(), "orvelTRX440.CConfigResistance");
  EXPECT_NE(reported()[0].description().find("FConfigResistance"), std::string::npos);
}

TEST_F(ConfigurationsTest, InAHostWithoutTestGuideSettingsAnECGConfigurationKeepsItsOwnOptions) {
  host_api::hostServices().classes.newTestGuideConfig = nullptr;
  CConfigECG config;
  EXPECT_EQ(config.TestGuideConfig_get(), nullptr);
  config.Load(*parse("<PlugInData><ECGOptions Duration='20'/>"
                     "<TestGuideSettings Settings='4'/></PlugInData>"),
              nullptr);
  EXPECT_EQ(config.ECGOptions_get()->Duration_get(), 20);
  auto copy = std::dynamic_pointer_cast<CConfigECG>(config.Clone());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->ECGOptions_get()->Duration_get(), 20);
  copy->Save(*newOwner());
  EXPECT_EQ(savedText(),
            "<Owner>\n"
            "  <PlugInData PlugIn=\"TRX440\">\n"
            "    <ECGOptions Duration=\"20\" Indefinite=\"False\" WaveType=\"0\" />\n"
            "  </PlugInData>\n"
            "</Owner>\n");
}
