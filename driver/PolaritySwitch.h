#pragma once

#include <string>

#include "driver/TrxTypes.h"

namespace platform::forms {
class Form;
}

namespace vti {

class CChannel;
class CPowerConfig;
class CTrxTestOptions;
class PowerChangePrompts;
class RunState;

// Internal to the driver library (not part of its public header surface).
//
// Switches the mains polarity of the outlet ("POL=N", "POL=R") for the interpreter. The outlet
// is switched off before its polarity changes, and the operator is told of the change (before
// or after the switch, as the test options ask) unless the outlet already has the polarity or
// the change brings no power change the operator must know of. What it remembers between the
// tests of one connection decides that.
class PolaritySwitch {
 public:
  // What the switch remembers between tests.
  struct Memory {
    // The polarity last asked for ("N", "R"); empty when the next test starts afresh.
    std::string last;
    // Whether the outlet went off with that request.
    bool lastToggleOff = false;
    // The next change must be told even without a power change (the test mode was left).
    bool forcePrompt = false;
  };

  PolaritySwitch(CChannel& channel, const CTrxTestOptions& options, const CPowerConfig& power,
                 PowerChangePrompts& prompts);

  // A test starts: tests that never switch the polarity make the next one start afresh.
  void beginTest(ETrxTestCode code);
  // The connection closes: the next one starts afresh.
  void forget() { m_memory.last.clear(); }
  // The analyzer left its test mode; its polarity is to be announced again.
  void requirePrompt() { m_memory.forcePrompt = true; }
  const Memory& memory() const { return m_memory; }

  // Carries out a "POL=" instruction of a test in power configuration `pc`.
  void SetPolarity(const std::string& instruction, ETrxPowerConfiguration pc,
                   platform::forms::Form* owner);

  // Whether a polarity change towards `next` (from the outlet's `current` configuration, with
  // the outlet going off now when `offNow`) is to be announced to the operator.
  static bool PromptDue(const Memory& memory, ETrxPowerConfiguration current,
                        ETrxPowerConfiguration next, bool offNow);
  // Whether a test never switches the mains polarity.
  static bool KeepsPolarity(ETrxTestCode code);

 private:
  struct Change;

  void remember(const std::string& letter, bool offNow);
  void switchOver(const std::string& instruction, const Change& change,
                  platform::forms::Form* owner);
  bool announcementDue(const Change& change) const;
  void announce(const Change& change, platform::forms::Form* owner);
  void sendPolarity(const std::string& instruction);
  bool halted() const;

  CChannel& m_channel;
  RunState& m_run;
  const CTrxTestOptions& m_options;
  const CPowerConfig& m_power;
  PowerChangePrompts& m_prompts;
  Memory m_memory;
};

}  // namespace vti
