#pragma once

#include "driver/FPowerPrompt.h"

namespace vti {

// The stop around a power change: tells the operator how the outlet of the device under test
// is about to change or has changed and waits for Continue or Stop Test. The same form reports
// a missing resistance reading, with a Skip button and a 30-second countdown.
class FStopOnPC : public FPowerPrompt {
 public:
  static constexpr const char* kFormName = "FStopOnPC";
  static constexpr const char* kSkip = "cmdSkip";
  static constexpr int32_t kNoResistanceSeconds = 30;

  FStopOnPC();

  // Before the outlet changes: off (`fToOff`), on (`fToOn`), or off and on again (both).
  void ShowStopBefore(bool fToOn, const bool& fToOff, platform::forms::Form* objfrmOwner);
  // After the outlet changed: it is now on (`fToOn`) or off.
  void ShowStopAfter(bool fToOn, platform::forms::Form* objfrmOwner);
  // The instrument made no resistance reading. Continue asks for the reading again; Skip, and
  // the 30-second countdown running out, leave the test without one.
  void ShowNoResistance(platform::forms::Form* objfrmOwner);

  // Shows the Skip button (the no-resistance prompt offers it).
  void ShowSkip();
};

}  // namespace vti
