#include <gtest/gtest.h>

#include "ConfigDoubles.h"
#include "ConfigFixture.h"
#include "plugin/config/CCfgButtonOptions.h"
#include "plugin/config/CCfgECGOptions.h"
#include "plugin/config/CCfgLeadOptions.h"
#include "plugin/config/CCfgResistOptions.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MSharedTools.h"
#include "plugin/modules/IPlugInReference.h"
#include "support/ExpectError.h"

using namespace plugin;

namespace {

// The plug-in entry as the records see it: only its settings.
class SettingsOnlyEntry : public IPlugInReference {
 public:
  CPlugInSetup& SetupObject() override { return setup; }
  std::shared_ptr<host_api::ILimitStandard> LimitStandardOf(int32_t, int32_t,
                                                            const std::string&) override {
    return nullptr;
  }
  bool UpdateNomenClature_get() const override { return false; }
  std::shared_ptr<CModuleSetup> CurrentModuleSetup_get() const override { return nullptr; }
  void CurrentModuleSetup_set(const std::shared_ptr<CModuleSetup>&) override {}
  std::shared_ptr<CModuleSetup> DUTModuleSetup_get() const override { return nullptr; }
  void DUTModuleSetup_set(const std::shared_ptr<CModuleSetup>&) override {}

  CPlugInSetup setup{"/opt/orvel/plugins"};
};

class OptionRecordsTest : public ConfigFixture {
 protected:
  // Saves `record` under a new owner and loads a new record of its kind from what was saved.
  template <typename Record>
  std::shared_ptr<Record> reloaded(const Record& record) {
    auto owner = newOwner();
    auto saved = record.Save(*owner);
    auto copy = std::make_shared<Record>();
    copy->Load(*saved);
    return copy;
  }
  template <typename Record>
  std::string savedTextOf(const Record& record) {
    record.Save(*newOwner());
    return savedText();
  }
};

}  // namespace

TEST_F(OptionRecordsTest, StoredRecordsWithoutValuesReadTheStoredDefaultsNotThoseOfANewRecord) {
  CCfgButtonOptions buttons;
  EXPECT_TRUE(buttons.EnableSkip_get() && buttons.EnableNA_get() && buttons.EnableStep_get());
  buttons.Load(*parse("<EnableBtn/>"));
  EXPECT_FALSE(buttons.EnableSkip_get() || buttons.EnableNA_get() || buttons.EnableStep_get());

  CCfgECGOptions ecg;
  EXPECT_EQ(ecg.Duration_get(), 10);
  ecg.Load(*parse("<ECGOptions WaveType='3'/>"));
  EXPECT_EQ(ecg.Duration_get(), 0);
  EXPECT_EQ(ecg.WaveformType_get(), 3);

  CCfgTestOptions test;
  EXPECT_TRUE(test.Optimized_get());
  EXPECT_TRUE(test.HaltOnTestFailure_get());
  test.Load(*parse("<TestOptions/>"));
  EXPECT_FALSE(test.Optimized_get());
  EXPECT_FALSE(test.HaltOnTestFailure_get());
  EXPECT_EQ(test.DelayTimePowerOn_get(), 2);
  EXPECT_EQ(test.DelayTimePowerOff_get(), 0);
  EXPECT_EQ(test.PolaritySwitchingDelay_get(), 3);
  EXPECT_EQ(test.IRDuration_get(), 2);

  CCfgLeadOptions leads;
  EXPECT_TRUE(leads.LeadsUseAll_get());
  leads.Load(*parse("<LeadOptions/>"));
  EXPECT_FALSE(leads.LeadsUseAll_get());
}

TEST_F(OptionRecordsTest, InsulationTestDurationIsKeptBetween1And60Seconds) {
  for (auto [stored, expected] :
       {std::pair{"0", 2}, {"-4", 2}, {"1", 1}, {"60", 60}, {"75", 60}, {"", 2}, {"30.5", 30}}) {
    CCfgTestOptions test;
    test.Load(*parse(std::string("<TestOptions Duration='") + stored + "'/>"));
    EXPECT_EQ(test.IRDuration_get(), expected) << stored;
  }
}

TEST_F(OptionRecordsTest, TestOptionsAreSavedInTheStoredLayout) {
  CCfgTestOptions test;
  test.PolaritySwitchingDelay_let(4);
  test.MeasType_let(2);
  test.StopAfterNewPC_let(true);
  test.IRDuration_let(15);
  test.PowerOFFScreen_let(1);
  EXPECT_EQ(savedTextOf(test),
            "<Owner>\n"
            "  <TestOptions MAPPolarity=\"0\" PLConfiguration=\"0\" Duration=\"15\" "
            "PowerOff=\"1\">\n"
            "    <Run Opt=\"True\" HaltOnFail=\"True\" MultiPE=\"False\" TotalLeakage=\"False\" "
            "MeasType=\"2\" TestVoltage=\"0\" AppliedParts=\"0\" />\n"
            "    <StopOnPC Before=\"False\" After=\"True\" />\n"
            "    <Delay On=\"2\" Off=\"0\" PolaritySwitchingDelay=\"4\" />\n"
            "  </TestOptions>\n"
            "</Owner>\n");
}

TEST_F(OptionRecordsTest, EveryRecordReadsBackWhatItSaved) {
  CCfgTestOptions test;
  test.Optimized_let(false);
  test.StopBeforeNewPC_let(true);
  test.DelayTimePowerOff_let(-3);
  test.MAPPolarity_let(1);
  EXPECT_EQ(savedTextOf(*reloaded(test)), savedTextOf(test));

  CCfgLeadOptions leads;
  leads.LeadsUseAll_let(false);
  leads.LeadsUseSpecific_let(true);
  leads.LeadsUseFrom_let({true, false, false, false, true});
  leads.LeadsUseTo_let({false, true, true, false, false});
  leads.LeadsUseUnused_let(1);
  auto leadsBack = reloaded(leads);
  EXPECT_EQ(leadsBack->LeadsUseFrom_get(), leads.LeadsUseFrom_get());
  EXPECT_EQ(leadsBack->LeadsUseTo_get(), leads.LeadsUseTo_get());
  EXPECT_EQ(savedTextOf(*leadsBack), savedTextOf(leads));
  EXPECT_NE(savedText().find("<From RA=\"True\" LL=\"False\" LA=\"False\" RL=\"False\" "
                             "V1=\"True\" />"),
            std::string::npos);

  CCfgECGOptions ecg;
  ecg.Duration_let(45);
  ecg.Indefinite_let(true);
  ecg.WaveformType_let(15);
  EXPECT_EQ(savedTextOf(*reloaded(ecg)), savedTextOf(ecg));

  CCfgButtonOptions buttons;
  buttons.EnableNA_let(false);
  EXPECT_EQ(savedTextOf(*reloaded(buttons)), savedTextOf(buttons));
}

TEST_F(OptionRecordsTest, SkipCalibrationIsStoredAsANumber) {
  CCfgResistOptions resist;
  resist.SkipCalibration_let(true);
  resist.MeasType_let(1);
  EXPECT_EQ(savedTextOf(resist),
            "<Owner>\n  <ResOptions MeasType=\"1\" SkipCalibration=\"-1\" />\n</Owner>\n");
  EXPECT_TRUE(reloaded(resist)->SkipCalibration_get());

  for (auto [stored, expected] :
       {std::pair{"0", false}, {"1", true}, {"-1", true}, {"True", false}, {"", false}}) {
    resist.Load(*parse(std::string("<ResOptions SkipCalibration='") + stored + "'/>"));
    EXPECT_EQ(resist.SkipCalibration_get(), expected) << stored;
  }
}

TEST_F(OptionRecordsTest, RecordsLoadFromElementsOfAnyNameAndIgnoreWhatTheyDoNotKnow) {
  CCfgButtonOptions buttons;
  buttons.Load(*parse("<Buttons Skip='True' Colour='red'><Extra Step='True'/></Buttons>"));
  EXPECT_TRUE(buttons.EnableSkip_get());
  EXPECT_FALSE(buttons.EnableStep_get());

  CCfgTestOptions test;
  test.Load(*parse("<Whatever><Run Opt='True'/><Unknown/><Delay On='9'/></Whatever>"));
  EXPECT_TRUE(test.Optimized_get());
  EXPECT_EQ(test.DelayTimePowerOn_get(), 9);
}

TEST_F(OptionRecordsTest, ANumberBeyond32BitsFailsTheLoadNamingWhereItStands) {
  CCfgTestOptions test;
  auto error = expectComError([&] {
    test.Load(
        *parse("<TestOptions MAPPolarity='1' Duration='99999999999'>"
               "<Run Opt='True' MeasType='2'/></TestOptions>"));
  });
  EXPECT_EQ(error.number(), platform::RuntimeError::Overflow);
  EXPECT_NE(error.description().find("\"Duration\" of element \"TestOptions\""), std::string::npos)
      << error.description();
  // What was read before the failure stays.
  EXPECT_TRUE(test.Optimized_get());
  EXPECT_EQ(test.MeasType_get(), 2);
  EXPECT_EQ(test.MAPPolarity_get(), 1);
}

TEST_F(OptionRecordsTest, ARecordThatCannotMakeItsElementRaisesTheConfigurationSaveError) {
  config_test::DetachedElement owner;
  auto error = expectComError([&] { CCfgButtonOptions().Save(owner); });
  EXPECT_EQ(error.number(), MPlugInErrors::errConfigSave);
  EXPECT_EQ(error.source(), "orvelTRX440.CCfgButtonOptions");
}

TEST_F(OptionRecordsTest, TheDefaultPolarityDelayIsThePlugInsSettingElseTheRegistryValue) {
  auto settings = key(MSharedTools::PlugInKey);
  for (auto [stored, expected] : {std::pair{7, 1}, {0, 1}, {4, 4}}) {
    settings->WriteLong("PolarityDelay", stored);
    EXPECT_EQ(CCfgTestOptions().PolaritySwitchingDelay_get(), expected) << stored;
  }
  auto entry = std::make_shared<SettingsOnlyEntry>();
  entry->setup.PolarityDelay_let(2);
  PlugInReferenceOverride registered(entry);
  EXPECT_EQ(CCfgTestOptions().PolaritySwitchingDelay_get(), 2);
}

TEST_F(OptionRecordsTest, ClonesAreIndependentAndCarryTheUnstoredTestLoad) {
  CCfgTestOptions test;
  test.TestLoad_let(3);
  test.HaltOnTestFailure_let(false);
  auto copy = test.Clone();
  EXPECT_EQ(copy->TestLoad_get(), 3);
  EXPECT_FALSE(copy->HaltOnTestFailure_get());
  copy->HaltOnTestFailure_let(true);
  EXPECT_FALSE(test.HaltOnTestFailure_get());
}
