#pragma once

#include <cstdint>
#include <memory>

#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace plugin {

class CPropertyTable;

// How a safety test runs: sequence, stops, delays, measurement type, test voltage, applied
// parts, polarity and durations. The enumerations are the driver's, kept as their values.
// Stored as "TestOptions" with the children "Run", "StopOnPC" and "Delay".
class CCfgTestOptions : public platform::Object {
 public:
  static constexpr const char* Tag = "TestOptions";
  static constexpr int32_t MinIRDuration = 1;
  static constexpr int32_t MaxIRDuration = 60;
  static constexpr int32_t ShortIRDuration = 2;  // what a duration below the minimum becomes
  // What the settings offer: delays of up to four digits, and a polarity switching delay the
  // analyzer can use.
  static constexpr int32_t MaxDelayTime = 9999;
  static constexpr int32_t MinPolarityDelay = 1;
  static constexpr int32_t MaxPolarityDelay = 5;

  // The polarity switching delay starts as the installation's setting.
  CCfgTestOptions();

  bool Optimized_get() const { return m_optimized; }
  void Optimized_let(bool value) { m_optimized = value; }
  bool HaltOnTestFailure_get() const { return m_haltOnTestFailure; }
  void HaltOnTestFailure_let(bool value) { m_haltOnTestFailure = value; }
  bool MultiplePETests_get() const { return m_multiplePETests; }
  void MultiplePETests_let(bool value) { m_multiplePETests = value; }
  bool TotalLeakage_get() const { return m_totalLeakage; }
  void TotalLeakage_let(bool value) { m_totalLeakage = value; }
  bool StopBeforeNewPC_get() const { return m_stopBeforeNewPC; }
  void StopBeforeNewPC_let(bool value) { m_stopBeforeNewPC = value; }
  bool StopAfterNewPC_get() const { return m_stopAfterNewPC; }
  void StopAfterNewPC_let(bool value) { m_stopAfterNewPC = value; }
  int32_t DelayTimePowerOn_get() const { return m_delayTimePowerOn; }
  void DelayTimePowerOn_let(int32_t value) { m_delayTimePowerOn = value; }
  int32_t DelayTimePowerOff_get() const { return m_delayTimePowerOff; }
  void DelayTimePowerOff_let(int32_t value) { m_delayTimePowerOff = value; }
  // The test load is set by the element that runs the test and is never stored.
  int32_t TestLoad_get() const { return m_testLoad; }
  void TestLoad_let(int32_t value) { m_testLoad = value; }
  int32_t MeasType_get() const { return m_measType; }
  void MeasType_let(int32_t value) { m_measType = value; }
  int32_t TestVoltage_get() const { return m_testVoltage; }
  void TestVoltage_let(int32_t value) { m_testVoltage = value; }
  int32_t AppliedParts_get() const { return m_appliedParts; }
  void AppliedParts_let(int32_t value) { m_appliedParts = value; }
  int32_t MAPPolarity_get() const { return m_mapPolarity; }
  void MAPPolarity_let(int32_t value) { m_mapPolarity = value; }
  int32_t IRDuration_get() const { return m_irDuration; }
  void IRDuration_let(int32_t value) { m_irDuration = value; }
  int32_t PLConfiguration_get() const { return m_plConfiguration; }
  void PLConfiguration_let(int32_t value) { m_plConfiguration = value; }
  int32_t PowerOFFScreen_get() const { return m_powerOffScreen; }
  void PowerOFFScreen_let(int32_t value) { m_powerOffScreen = value; }
  int32_t PolaritySwitchingDelay_get() const { return m_polaritySwitchingDelay; }
  void PolaritySwitchingDelay_let(int32_t value) { m_polaritySwitchingDelay = value; }

  // Adds the record's settings to `table`, bound to this record, for the host to read and set
  // by name.
  void DescribeProperties(CPropertyTable& table);

  std::shared_ptr<CCfgTestOptions> Clone() const;
  // Reads the record from `element`, whatever its name. An error of the XML access goes on to
  // the caller; what was read before it stays.
  void Load(const host_api::IXmlElement& element);
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const;

  // The installation's polarity switching delay: the plug-in's setting while the plug-in entry
  // exists, otherwise the machine-wide registry value.
  static int32_t DefaultPolaritySwitchingDelay();

 private:
  bool m_optimized = true;
  bool m_haltOnTestFailure = true;
  bool m_multiplePETests = false;
  bool m_totalLeakage = false;
  bool m_stopBeforeNewPC = false;
  bool m_stopAfterNewPC = false;
  int32_t m_delayTimePowerOn = 2;
  int32_t m_delayTimePowerOff = 0;
  int32_t m_testLoad = 1;
  int32_t m_measType = 0;
  int32_t m_testVoltage = 0;
  int32_t m_appliedParts = 0;
  int32_t m_mapPolarity = 0;
  int32_t m_irDuration = 2;
  int32_t m_plConfiguration = 0;
  int32_t m_powerOffScreen = 0;
  int32_t m_polaritySwitchingDelay = 0;
};

}  // namespace plugin
