#include "plugin/config/CCfgTestOptions.h"

#include "plugin/config/MConfigXml.h"
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

}  // namespace plugin
