#pragma once

#include <string>

#include "driver/TrxTypes.h"

namespace platform::forms {
class Form;
}

namespace vti {

class CPowerConfig;
class CTrxTestOptions;
class RunState;

// Internal to the driver library (not part of its public header surface).
//
// The prompts around a change of the outlet that powers the device under test: the stop before
// or after the change and the countdown that lets the device settle, as the test options ask
// for them. Stop Test on any of them stops the running operation. The prompts also bring the
// remembered outlet configuration up to date once a change has been announced.
class PowerChangePrompts {
 public:
  // Where a stop directive is carried out, which decides what it may show.
  enum class StopPoint {
    Ordinary,
    // Just before the neutral or the polarity is switched: only the warning that the power is
    // about to go off is shown here, everything else waits for the switch.
    BeforePolarity,
    // While the connection closes: the outlet goes off even without a stop before the change.
    Closing,
  };

  PowerChangePrompts(const CTrxTestOptions& options, CPowerConfig& power, RunState& run);

  // Carries out a stop directive ("#STOP=BPC", "#STOP=APC", "#STOP=ECG", or "#POL" for a
  // polarity change) for a test in power configuration `pc`.
  void HandleStopDirective(const std::string& directive, ETrxPowerConfiguration pc,
                           platform::forms::Form* owner, StopPoint point);

 private:
  void afterChange(const std::string& kind, bool toOn, bool toOff, platform::forms::Form* owner);
  void WaitAfterPowerChange(bool toOn, bool toOff, platform::forms::Form* owner);
  bool promptBefore() const;

  const CTrxTestOptions& m_options;
  CPowerConfig& m_power;
  RunState& m_run;
};

}  // namespace vti
