#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/DeviceUnderTest.h"
#include "sim/Scenario.h"
#include "sim/TestModes.h"

namespace sim {

// The analyzer's state and its answer to every command: remote or local operation, the
// equipment outlet, the selected test mode with its settings, the status words and the
// readings of the device under test. It knows nothing of bytes or time; SimulatedAnalyzer
// frames commands, delays replies and streams readings.
//
// Remote control: the analyzer accepts commands from the serial line while it is in remote
// mode, or while it is in local mode at rest (no operator at the front panel); the first
// command that operates it then takes it into remote mode. STAT bit 0x4 tells exactly that
// ("ready for remote control"), so a host finds it set after sending LOCAL to a resting
// analyzer, and sends REMOTE only when it is clear. REMOTE always takes control. Queries,
// ESC, EXIT, LOCAL and the fault resets never take control.
class AnalyzerModel {
 public:
  enum Power { Off, Normal, Reversed };

  // Refusals of the analyzer beside the documented codes: a command it does not know, an
  // argument it does not accept, and a command that the present mode does not allow.
  static constexpr const char* kUnknownCommand = "!10";
  static constexpr const char* kBadArgument = "!11";
  static constexpr const char* kWrongMode = "!12";

  explicit AnalyzerModel(const Scenario& scenario);

  // Carries out one command (without its CR LF; "\x1b" for the escape key) and gives the
  // reply line without its CR LF. "MREAD" starts a stream of readings (see streamReading).
  std::string execute(const std::string& command);

  bool isStreaming() const { return m_streaming; }
  // The next reading of the running stream.
  std::string streamReading();

  // Effects of scripted faults.
  void tripGroundFault();
  void detectOverVoltage();
  void enterHighVoltage();

  bool isRemote() const { return m_remote; }
  // Settings a host sends once per connection or test, for assertions on what it chose.
  const std::string& standard() const { return m_standard; }  // STD=
  long polarityDelay() const { return m_polarityDelay; }      // RPTIME=, seconds
  bool nominalMains() const { return m_nominal; }             // NOMINAL=ON
  Power power() const { return m_power; }
  bool neutralOpen() const { return m_neutralOpen; }
  bool earthOpen() const { return m_earthOpen; }
  // "off", "normal", "reversed", with ", open neutral" and ", open earth" when they apply.
  std::string outletText() const;
  // The selected test mode ("PAT", "MAINS", ...) or empty text.
  std::string modeName() const;

  uint16_t stat() const;
  uint16_t stat1() const;
  uint16_t stat2() const;
  uint16_t stat3() const;

 private:
  std::string operate(const std::string& name, const std::string& argument, bool hasArgument);
  std::string selectMode(const test_modes::TestMode& mode, const std::string& argument);
  std::string setOutletPolarity(const std::string& argument);
  std::string read(bool stream);
  std::string zero();
  MeasurementContext context() const;
  void leaveTestMode();
  void resetModeSettings();
  bool inMode(std::initializer_list<const char*> names) const;

  const Scenario& m_scenario;
  DeviceUnderTest m_device;
  bool m_remote = false;
  bool m_frontPanelBusy;
  Power m_power = Off;
  bool m_neutralOpen = false;
  bool m_earthOpen = false;
  const test_modes::TestMode* m_mode = nullptr;
  std::string m_modeArgument;  // mains pair of MAINS, range of ERES
  std::vector<std::string> m_leads;
  std::string m_component = "ACDC";
  std::string m_mapSetting;
  bool m_altEarthOpen = false;
  bool m_insulationVoltage = false;
  std::string m_waveform;
  bool m_nominal = false;
  std::string m_standard;
  long m_polarityDelay = 0;
  bool m_leadZeroed = false;
  bool m_streaming = false;
  bool m_groundFault = false;
  bool m_overVoltage = false;
  bool m_highVoltage = false;
};

}  // namespace sim
