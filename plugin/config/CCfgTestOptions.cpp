#include "plugin/config/CCfgTestOptions.h"

#include "plugin/config/MConfigXml.h"
#include "plugin/config/MOptionChoices.h"
#include "plugin/core/CPropertyTable.h"
#include "plugin/core/MSharedTools.h"
#include "plugin/core/MXmlUtils.h"
#include "plugin/modules/IPlugInReference.h"

namespace plugin {

namespace {
using MConfigXml::ReadBoolean;
using MConfigXml::ReadInteger;
using MXmlUtils::WriteBoolean;
using MXmlUtils::WriteInteger;

// Stored data without a polarity switching delay predates the setting; such tests ran with 3 s.
constexpr int32_t StoredPolarityDelayDefault = 3;
constexpr int32_t StoredPowerOnDelayDefault = 2;

int32_t clampedIRDuration(int32_t seconds) {
  if (seconds < CCfgTestOptions::MinIRDuration) return CCfgTestOptions::ShortIRDuration;
  if (seconds > CCfgTestOptions::MaxIRDuration) return CCfgTestOptions::MaxIRDuration;
  return seconds;
}
}  // namespace

CCfgTestOptions::CCfgTestOptions() : m_polaritySwitchingDelay(DefaultPolaritySwitchingDelay()) {}

int32_t CCfgTestOptions::DefaultPolaritySwitchingDelay() {
  if (auto entry = PlugIn()) return entry->SetupObject().PolarityDelay_get();
  return MSharedTools::DefaultPolarityDelay();
}

std::shared_ptr<CCfgTestOptions> CCfgTestOptions::Clone() const {
  return std::make_shared<CCfgTestOptions>(*this);
}

void CCfgTestOptions::Load(const host_api::IXmlElement& element) {
  const auto run = element.findChild("Run");
  m_optimized = ReadBoolean(run.get(), "Opt");
  m_haltOnTestFailure = ReadBoolean(run.get(), "HaltOnFail");
  m_multiplePETests = ReadBoolean(run.get(), "MultiPE");
  m_totalLeakage = ReadBoolean(run.get(), "TotalLeakage");
  m_measType = ReadInteger(run.get(), "MeasType", 0);
  m_testVoltage = ReadInteger(run.get(), "TestVoltage", 0);
  m_appliedParts = ReadInteger(run.get(), "AppliedParts", 0);

  const auto stops = element.findChild("StopOnPC");
  m_stopBeforeNewPC = ReadBoolean(stops.get(), "Before");
  m_stopAfterNewPC = ReadBoolean(stops.get(), "After");

  const auto delay = element.findChild("Delay");
  m_delayTimePowerOn = ReadInteger(delay.get(), "On", StoredPowerOnDelayDefault);
  m_delayTimePowerOff = ReadInteger(delay.get(), "Off", 0);
  PolaritySwitchingDelay_let(
      ReadInteger(delay.get(), "PolaritySwitchingDelay", StoredPolarityDelayDefault));

  m_mapPolarity = ReadInteger(&element, "MAPPolarity", 0);
  m_plConfiguration = ReadInteger(&element, "PLConfiguration", 0);
  m_powerOffScreen = ReadInteger(&element, "PowerOff", 0);
  m_irDuration = clampedIRDuration(ReadInteger(&element, "Duration", 0));
}

std::shared_ptr<host_api::IXmlElement> CCfgTestOptions::Save(host_api::IXmlElement& owner) const {
  auto element = MConfigXml::AppendRecordElement(owner, Tag, "CCfgTestOptions");
  auto run = element->appendNewChild("Run");
  WriteBoolean(*run, "Opt", m_optimized);
  WriteBoolean(*run, "HaltOnFail", m_haltOnTestFailure);
  WriteBoolean(*run, "MultiPE", m_multiplePETests);
  WriteBoolean(*run, "TotalLeakage", m_totalLeakage);
  WriteInteger(*run, "MeasType", m_measType);
  WriteInteger(*run, "TestVoltage", m_testVoltage);
  WriteInteger(*run, "AppliedParts", m_appliedParts);

  auto stops = element->appendNewChild("StopOnPC");
  WriteBoolean(*stops, "Before", m_stopBeforeNewPC);
  WriteBoolean(*stops, "After", m_stopAfterNewPC);

  auto delay = element->appendNewChild("Delay");
  WriteInteger(*delay, "On", m_delayTimePowerOn);
  WriteInteger(*delay, "Off", m_delayTimePowerOff);
  WriteInteger(*delay, "PolaritySwitchingDelay", m_polaritySwitchingDelay);

  WriteInteger(*element, "MAPPolarity", m_mapPolarity);
  WriteInteger(*element, "PLConfiguration", m_plConfiguration);
  WriteInteger(*element, "Duration", m_irDuration);
  WriteInteger(*element, "PowerOff", m_powerOffScreen);
  return element;
}

void CCfgTestOptions::DescribeProperties(CPropertyTable& table) {
  using R = CCfgTestOptions;
  table.Boolean("Optimized", *this, &R::Optimized_get, &R::Optimized_let);
  table.Boolean("HaltOnTestFailure", *this, &R::HaltOnTestFailure_get, &R::HaltOnTestFailure_let);
  table.Boolean("MultiplePETests", *this, &R::MultiplePETests_get, &R::MultiplePETests_let);
  table.Boolean("TotalLeakage", *this, &R::TotalLeakage_get, &R::TotalLeakage_let);
  table.Boolean("StopBeforeNewPC", *this, &R::StopBeforeNewPC_get, &R::StopBeforeNewPC_let);
  table.Boolean("StopAfterNewPC", *this, &R::StopAfterNewPC_get, &R::StopAfterNewPC_let);
  table.Integer("DelayTimePowerOn", 0, MaxDelayTime, *this, &R::DelayTimePowerOn_get,
                &R::DelayTimePowerOn_let);
  table.Integer("DelayTimePowerOff", 0, MaxDelayTime, *this, &R::DelayTimePowerOff_get,
                &R::DelayTimePowerOff_let);
  table.Choice("MeasType", MOptionChoices::MeasType(), *this, &R::MeasType_get, &R::MeasType_let);
  table.Choice("TestVoltage", MOptionChoices::TestVoltage(), *this, &R::TestVoltage_get,
               &R::TestVoltage_let);
  table.Choice("AppliedParts", MOptionChoices::AppliedParts(), *this, &R::AppliedParts_get,
               &R::AppliedParts_let);
  table.Choice("MAPPolarity", MOptionChoices::MAPPolarity(), *this, &R::MAPPolarity_get,
               &R::MAPPolarity_let);
  table.Integer("IRDuration", ShortIRDuration, MaxIRDuration, *this, &R::IRDuration_get,
                &R::IRDuration_let);
  table.Choice("PLConfiguration", MOptionChoices::PLConfiguration(), *this, &R::PLConfiguration_get,
               &R::PLConfiguration_let);
  table.Choice("PowerOFFScreen", MOptionChoices::PowerOFFScreen(), *this, &R::PowerOFFScreen_get,
               &R::PowerOFFScreen_let);
  table.Integer("PolaritySwitchingDelay", MinPolarityDelay, MaxPolarityDelay, *this,
                &R::PolaritySwitchingDelay_get, &R::PolaritySwitchingDelay_let);
}

}  // namespace plugin
