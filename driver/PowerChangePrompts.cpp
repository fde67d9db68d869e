#include "driver/PowerChangePrompts.h"

#include "driver/CPowerConfig.h"
#include "driver/CTrxTestOptions.h"
#include "driver/FStopOnPC.h"
#include "driver/FWaitOnPC.h"
#include "driver/RunState.h"

namespace vti {

PowerChangePrompts::PowerChangePrompts(const CTrxTestOptions& options, CPowerConfig& power,
                                       RunState& run)
    : m_options(options), m_power(power), m_run(run) {}

bool PowerChangePrompts::promptBefore() const {
  return m_options.PowerOFFScreen_get() == eepo_before;
}

void PowerChangePrompts::HandleStopDirective(const std::string& directive,
                                             ETrxPowerConfiguration pc,
                                             platform::forms::Form* owner, StopPoint point) {
  const bool toOn = m_power.WillToggleOn(pc);
  const bool toOff = m_power.WillToggleOff(pc);
  const size_t eq = directive.find('=');
  const std::string kind = eq == std::string::npos ? directive : directive.substr(eq + 1);
  if (kind == "BPC") {
    FStopOnPC form;
    if (m_options.StopBeforeNewPC_get() && (toOn || toOff)) {
      form.ShowStopBefore(toOn, toOff, owner);
    } else if (point == StopPoint::Closing && toOff) {
      WaitAfterPowerChange(toOn, toOff, owner);
    }
    if (form.Cancel_get()) m_run.stopOperation();
    form.unload();
  } else if (kind == "#POL" || kind == "ECG" || kind == "APC") {
    const bool onlyGoingOff = promptBefore() && toOff && !toOn;
    if (point == StopPoint::BeforePolarity && !onlyGoingOff) return;
    afterChange(kind, toOn, toOff, owner);
    if (kind != "#POL") m_power.Power_let(pc);
  }
}

void PowerChangePrompts::afterChange(const std::string& kind, bool toOn, bool toOff,
                                     platform::forms::Form* owner) {
  if (!toOn && !toOff) return;
  if (kind == "#POL" || !m_options.StopAfterNewPC_get()) {
    // After a polarity change the device is told of the outlet going off; it comes on again
    // with the test's own stop.
    WaitAfterPowerChange(kind == "#POL" ? false : toOn, toOff, owner);
    return;
  }
  FStopOnPC form;
  form.ShowStopAfter(toOn, owner);
  if (form.Cancel_get()) m_run.stopOperation();
  form.unload();
}

void PowerChangePrompts::WaitAfterPowerChange(bool toOn, bool toOff, platform::forms::Form* owner) {
  const int32_t on = m_options.DelayTimePowerOn_get();
  const int32_t off = m_options.DelayTimePowerOff_get();
  FWaitOnPC form;
  if (toOn && on >= 1) {
    form.WaitOnPC(FPowerPrompt::kPowerOn, on, owner);
  } else if (toOff && off >= 1) {
    form.WaitOnPC(FPowerPrompt::kPowerOff, off, owner, promptBefore());
  }
  if (form.Cancel_get()) m_run.stopOperation();
  form.unload();
}

}  // namespace vti
