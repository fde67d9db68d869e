#include <gtest/gtest.h>

#include "ConfigDoubles.h"
#include "ConfigFixture.h"
#include "host_api/IProperties.h"
#include "plugin/config/CCfgLeadOptions.h"
#include "plugin/config/CConfigECG.h"
#include "plugin/config/CConfigResistance.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/CPropertyTable.h"
#include "support/ExpectError.h"

using namespace plugin;
namespace PropertyError = host_api::PropertyError;

namespace {
// The host reaches the settings through the configuration's interface, never its class.
class PropertiesTest : public ConfigFixture {
 protected:
  static std::shared_ptr<host_api::IProperties> propertiesOf(
      const std::shared_ptr<host_api::IConfigData>& config) {
    auto properties = std::dynamic_pointer_cast<host_api::IProperties>(config);
    EXPECT_TRUE(properties);
    return properties;
  }

  // Sets `name` to `text` and expects it refused with `number`; the value must stay as it was.
  static platform::ComError refused(host_api::IProperties& properties, const std::string& name,
                                    const std::string& text, int32_t number) {
    const std::string before = properties.PropertyText_get(name);
    auto error = expectComError([&] { properties.PropertyText_let(name, text); });
    EXPECT_EQ(error.number(), number) << error.description();
    EXPECT_EQ(properties.PropertyText_get(name), before);
    return error;
  }

  // The records are made once the host is installed: their defaults come from its settings.
  void SetUp() override {
    ConfigFixture::SetUp();
    group = std::make_shared<CConfigTestGroup>();
    groupProperties = propertiesOf(group);
  }

  std::shared_ptr<CConfigTestGroup> group;
  std::shared_ptr<host_api::IProperties> groupProperties;
};
}  // namespace

TEST_F(PropertiesTest, ATestGroupOffersItsRecordsSettingsByNameWithoutRegardToCase) {
  auto& p = *groupProperties;
  p.PropertyText_let("haltontestfailure", "false");
  p.PropertyText_let("TestSeparately", "TRUE");
  p.PropertyText_let("IRDuration", " 5 ");
  p.PropertyText_let("MeasType", "dc");
  p.PropertyText_let("TestVoltage", "1");
  p.PropertyText_let("EnableNA", "False");
  p.PropertyText_let("ValueFilter", "Min");

  EXPECT_FALSE(group->Test_get()->HaltOnTestFailure_get());
  EXPECT_TRUE(group->Modules_get()->TestSeparately_get());
  EXPECT_EQ(group->Test_get()->IRDuration_get(), 5);
  EXPECT_EQ(group->Test_get()->MeasType_get(), 2);
  EXPECT_EQ(group->Test_get()->TestVoltage_get(), 1);
  EXPECT_FALSE(group->Buttons_get()->EnableNA_get());
  EXPECT_EQ(group->ValueFilter_get(), CConfigTestGroup::ValueFilterMin);

  EXPECT_EQ(p.PropertyText_get("HaltOnTestFailure"), "False");
  EXPECT_EQ(p.PropertyText_get("TESTSEPARATELY"), "True");
  EXPECT_EQ(p.PropertyText_get("IRDuration"), "5");
  EXPECT_EQ(p.PropertyText_get("MeasType"), "DC");
  EXPECT_EQ(p.PropertyText_get("TestVoltage"), "250V");
  EXPECT_EQ(p.Property_get("TestSeparately"), platform::Variant(true));
  EXPECT_EQ(p.Property_get("MeasType"), platform::Variant(int32_t{2}));
}

TEST_F(PropertiesTest, EachConfigurationListsItsOwnSettingsAndNoOthers) {
  const auto names = groupProperties->PropertyNames();
  for (const char* expected : {"Optimized", "PolaritySwitchingDelay", "PowerOFFScreen", "StopAtNew",
                               "OverridePatientLead", "EnableStep", "ValueFilter"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
  }
  // Values the element sets while it runs, or that only steer the dialog, are not settings.
  for (const char* hidden : {"TestLoad", "PLConfigurationVisible", "WaveformType"}) {
    EXPECT_EQ(std::find(names.begin(), names.end(), hidden), names.end()) << hidden;
  }
  EXPECT_EQ(propertiesOf(std::make_shared<CConfigResistance>())->PropertyNames(),
            (std::vector<std::string>{"MeasType", "SkipCalibration", "EnableSkip", "EnableNA",
                                      "EnableStep"}));
  EXPECT_EQ(propertiesOf(std::make_shared<CConfigECG>())->PropertyNames(),
            (std::vector<std::string>{"Duration", "Indefinite", "WaveformType"}));
}

TEST_F(PropertiesTest, AnUnknownNameIsRefusedWithTheListOfNames) {
  auto error = expectComError([&] { groupProperties->PropertyText_let("HaltOnFail", "True"); });
  EXPECT_EQ(error.number(), PropertyError::UnknownName);
  EXPECT_EQ(error.source(), "orvelTRX440.CConfigTestGroup");
  EXPECT_NE(error.description().find("Unknown property \"HaltOnFail\"; the properties are: "
                                     "Optimized, HaltOnTestFailure, "),
            std::string::npos)
      << error.description();
  EXPECT_EQ(expectComError([&] { groupProperties->PropertyText_get("Nope"); }).number(),
            PropertyError::UnknownName);
}

TEST_F(PropertiesTest, ValuesOutOfRangeAreRefusedNamingTheRangeAndLeaveTheOldValue) {
  auto& p = *groupProperties;
  EXPECT_EQ(refused(p, "IRDuration", "75", PropertyError::InvalidValue).description(),
            "IRDuration cannot be \"75\": allowed are whole numbers from 2 to 60");
  refused(p, "IRDuration", "1", PropertyError::InvalidValue);
  refused(p, "IRDuration", "99999999999", PropertyError::InvalidValue);
  refused(p, "PolaritySwitchingDelay", "0", PropertyError::InvalidValue);
  refused(p, "DelayTimePowerOn", "-1", PropertyError::InvalidValue);
  EXPECT_EQ(refused(p, "ValueFilter", "Average", PropertyError::InvalidValue).description(),
            "ValueFilter cannot be \"Average\": allowed are one of 0 None, 1 Max, 2 Min "
            "(by number or name)");
  refused(p, "MeasType", "3", PropertyError::InvalidValue);

  auto ecg = propertiesOf(std::make_shared<CConfigECG>());
  ecg->PropertyText_let("WaveformType", "sine10");
  EXPECT_EQ(ecg->Property_get("WaveformType"), platform::Variant(int32_t{9}));
  const auto error = refused(*ecg, "WaveformType", "16", PropertyError::InvalidValue);
  EXPECT_NE(error.description().find("15 Vfib"), std::string::npos) << error.description();
  refused(*ecg, "Duration", "0", PropertyError::InvalidValue);
}

TEST_F(PropertiesTest, ValuesOfTheWrongKindAreTypeMismatches) {
  auto& p = *groupProperties;
  EXPECT_EQ(refused(p, "HaltOnTestFailure", "yes", PropertyError::TypeMismatch).description(),
            "HaltOnTestFailure cannot be \"yes\": allowed are True or False");
  refused(p, "HaltOnTestFailure", "-1", PropertyError::TypeMismatch);
  refused(p, "IRDuration", "5s", PropertyError::TypeMismatch);
  refused(p, "IRDuration", "2.5", PropertyError::TypeMismatch);
  refused(p, "IRDuration", "", PropertyError::TypeMismatch);
  refused(p, "IRDuration", "+-5", PropertyError::TypeMismatch);

  // A value handed over as such must be of the property's kind: a Boolean is no number.
  auto asValue = [&](const std::string& name, const platform::Variant& value) {
    return expectComError([&] { p.Property_let(name, value); }).number();
  };
  EXPECT_EQ(asValue("IRDuration", platform::Variant(true)), PropertyError::TypeMismatch);
  EXPECT_EQ(asValue("HaltOnTestFailure", platform::Variant(int32_t{1})),
            PropertyError::TypeMismatch);
  EXPECT_EQ(asValue("IRDuration", platform::Variant(4.5)), PropertyError::TypeMismatch);
  EXPECT_EQ(asValue("IRDuration", platform::Variant(int32_t{61})), PropertyError::InvalidValue);
  p.Property_let("IRDuration", platform::Variant(int32_t{30}));
  p.Property_let("HaltOnTestFailure", platform::Variant(false));
  p.Property_let("MeasType", platform::Variant("AC"));
  EXPECT_EQ(group->Test_get()->IRDuration_get(), 30);
  EXPECT_FALSE(group->Test_get()->HaltOnTestFailure_get());
  EXPECT_EQ(group->Test_get()->MeasType_get(), 1);
}

TEST_F(PropertiesTest, TheRangeOfEachKindIsSaidInWords) {
  auto& p = *groupProperties;
  EXPECT_EQ(p.PropertyRange_get("StopAtNew"), "True or False");
  EXPECT_EQ(p.PropertyRange_get("polaritySwitchingDelay"), "whole numbers from 1 to 5");
  EXPECT_EQ(p.PropertyRange_get("PLConfiguration"), "one of 0 Worst, 1 All (by number or name)");
}

TEST_F(PropertiesTest, OnlyAWholeSequenceMayBeSetToRunOptimized) {
  auto leakage = std::make_shared<config_test::FakeTestElement>(300);
  group->Owner_set(leakage);
  const auto error = refused(*groupProperties, "Optimized", "True", PropertyError::InvalidValue);
  EXPECT_NE(error.description().find("element type 300"), std::string::npos) << error.description();
  groupProperties->PropertyText_let("Optimized", "False");

  auto sequence = std::make_shared<config_test::FakeTestElement>(100);
  group->Owner_set(sequence);
  groupProperties->PropertyText_let("Optimized", "True");
  EXPECT_TRUE(group->Test_get()->Optimized_get());
}

TEST_F(PropertiesTest, SettingsMadeByNameSurviveSaveAndLoad) {
  auto& p = *groupProperties;
  const std::vector<std::pair<std::string, std::string>> settings{
      {"HaltOnTestFailure", "False"}, {"TotalLeakage", "True"},
      {"DelayTimePowerOff", "12"},    {"IRDuration", "45"},
      {"MAPPolarity", "Reverse"},     {"PowerOFFScreen", "Before"},
      {"StopAtNew", "True"},          {"OverridePatientLead", "False"},
      {"EnableSkip", "False"},        {"ValueFilter", "Max"},
      {"PolaritySwitchingDelay", "4"}};
  for (const auto& [name, text] : settings) p.PropertyText_let(name, text);
  group->Save(*newOwner());
  auto loaded = std::make_shared<CConfigTestGroup>();
  loaded->Load(*parse(savedText())->findChild("PlugInData"), nullptr);
  for (const auto& [name, text] : settings) {
    EXPECT_EQ(propertiesOf(loaded)->PropertyText_get(name), text) << name;
  }

  auto ecg = std::make_shared<CConfigECG>();
  propertiesOf(ecg)->PropertyText_let("Duration", "30");
  propertiesOf(ecg)->PropertyText_let("WaveformType", "Triangle2");
  ecg->Save(*newOwner());
  auto ecgLoaded = std::make_shared<CConfigECG>();
  ecgLoaded->Load(*parse(savedText())->findChild("PlugInData"), nullptr);
  EXPECT_EQ(propertiesOf(ecgLoaded)->PropertyText_get("Duration"), "30");
  EXPECT_EQ(propertiesOf(ecgLoaded)->PropertyText_get("WaveformType"), "Triangle2");

  auto resistance = std::make_shared<CConfigResistance>();
  propertiesOf(resistance)->PropertyText_let("SkipCalibration", "True");
  resistance->Save(*newOwner());
  auto resistanceLoaded = std::make_shared<CConfigResistance>();
  resistanceLoaded->Load(*parse(savedText())->findChild("PlugInData"), nullptr);
  EXPECT_EQ(propertiesOf(resistanceLoaded)->PropertyText_get("SkipCalibration"), "True");
}

TEST_F(PropertiesTest, AStoredValueOutsideTheListStillReadsAsItsNumber) {
  group->Test_get()->MAPPolarity_let(7);
  EXPECT_EQ(groupProperties->PropertyText_get("MAPPolarity"), "7");
}

TEST_F(PropertiesTest, LeadSetsAreListsOfLeadNames) {
  CCfgLeadOptions leads;
  CPropertyTable table("orvelTRX440.CCfgLeadOptions");
  leads.DescribeProperties(table);
  table.LetText("LeadsUseFrom", "ra, LA");
  EXPECT_EQ(leads.LeadsUseFrom_get(), (CCfgLeadOptions::Leads{true, false, true, false, false}));
  EXPECT_EQ(table.Text("LeadsUseFrom"), "RA,LA");
  EXPECT_EQ(table.Text("LeadsUseTo"), "None");

  auto error = expectComError([&] { table.LetText("LeadsUseFrom", "RA,XX"); });
  EXPECT_EQ(error.number(), PropertyError::InvalidValue);
  EXPECT_NE(error.description().find("\"XX\" is not one of them"), std::string::npos);
  EXPECT_EQ(table.Text("LeadsUseFrom"), "RA,LA");

  table.LetText("LeadsUseFrom", "None");
  EXPECT_EQ(table.Text("LeadsUseFrom"), "None");
  table.LetText("LeadsUseUnused", "Ground");
  EXPECT_EQ(leads.LeadsUseUnused_get(), 1);
}
