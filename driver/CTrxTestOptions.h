#pragma once

#include <cstdint>
#include <string>

#include "driver/TrxTypes.h"
#include "platform/Object.h"

namespace vti {

// The settings that shape every test of a connection. Plain values: the plug-in fills them from
// its configuration before a run, the driver reads them while it builds and runs micro sequences.
class CTrxTestOptions : public platform::Object {
 public:
  // The instrument command that starts the ECG waveform of WaveformType; empty for a value the
  // instrument has no command for.
  std::string SetWaveformCmd() const;

  bool StopBeforeNewPC_get() const { return m_stopBeforeNewPC; }
  void StopBeforeNewPC_let(const bool& value) { m_stopBeforeNewPC = value; }
  bool StopAfterNewPC_get() const { return m_stopAfterNewPC; }
  void StopAfterNewPC_let(const bool& value) { m_stopAfterNewPC = value; }
  int32_t DelayTimePowerOn_get() const { return m_delayTimePowerOn; }
  void DelayTimePowerOn_let(const int32_t& value) { m_delayTimePowerOn = value; }
  int32_t DelayTimePowerOff_get() const { return m_delayTimePowerOff; }
  void DelayTimePowerOff_let(const int32_t& value) { m_delayTimePowerOff = value; }
  ETrxTestStd TestStandard_get() const { return m_testStandard; }
  void TestStandard_let(const ETrxTestStd& value) { m_testStandard = value; }
  ETestVoltage TestVoltage_get() const { return m_testVoltage; }
  void TestVoltage_let(const ETestVoltage& value) { m_testVoltage = value; }
  EMeasType MeasType_get() const { return m_measType; }
  void MeasType_let(const EMeasType& value) { m_measType = value; }
  EAppliedParts AppliedParts_get() const { return m_appliedParts; }
  void AppliedParts_let(const EAppliedParts& value) { m_appliedParts = value; }
  ETrxMAPPolarity MAPPolarity_get() const { return m_mapPolarity; }
  void MAPPolarity_let(const ETrxMAPPolarity& value) { m_mapPolarity = value; }
  int32_t IRDuration_get() const { return m_irDuration; }
  void IRDuration_let(const int32_t& value) { m_irDuration = value; }
  EWaveformType WaveformType_get() const { return m_waveformType; }
  void WaveformType_let(const EWaveformType& value) { m_waveformType = value; }
  int32_t ECGDuration_get() const { return m_ecgDuration; }
  void ECGDuration_let(const int32_t& value) { m_ecgDuration = value; }
  bool TotalLeakage_get() const { return m_totalLeakage; }
  void TotalLeakage_let(const bool& value) { m_totalLeakage = value; }
  ETrxPowerOFFScreen PowerOFFScreen_get() const { return m_powerOffScreen; }
  void PowerOFFScreen_let(ETrxPowerOFFScreen value) { m_powerOffScreen = value; }
  int32_t PolaritySwitchingDelay_get() const { return m_polaritySwitchingDelay; }
  void PolaritySwitchingDelay_let(int32_t value) { m_polaritySwitchingDelay = value; }

 private:
  bool m_stopBeforeNewPC = false;
  bool m_stopAfterNewPC = false;
  int32_t m_delayTimePowerOn = 2;
  int32_t m_delayTimePowerOff = 0;
  ETrxTestStd m_testStandard = etsNONE;
  ETestVoltage m_testVoltage = etv_500;
  EMeasType m_measType = emt_ACDC;
  EAppliedParts m_appliedParts = eap_open;
  ETrxMAPPolarity m_mapPolarity = eemp_Normal;
  int32_t m_irDuration = 2;
  EWaveformType m_waveformType = ewt_Complex30BPM;
  int32_t m_ecgDuration = 0;
  bool m_totalLeakage = false;
  ETrxPowerOFFScreen m_powerOffScreen = eepo_After;
  int32_t m_polaritySwitchingDelay = 0;
};

}  // namespace vti
