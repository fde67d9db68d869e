#pragma once

#include "driver/TrxTypes.h"

namespace vti {

// The configuration last applied to the equipment outlet, and the rules that tell whether a new
// configuration switches the device under test off or on. Reversing the mains of a powered
// device counts as both: the outlet goes off and on again.
class CPowerConfig {
 public:
  bool WillToggleOn(ETrxPowerConfiguration next) const;
  bool WillToggleOff(ETrxPowerConfiguration next) const;

  // The device gets power through a closed neutral.
  static bool IsPowered(ETrxPowerConfiguration pc);
  static bool IsOpenNeutral(ETrxPowerConfiguration pc) { return pc == epcON || pc == epcONRM; }

  ETrxPowerConfiguration Power_get() const { return m_power; }
  void Power_let(ETrxPowerConfiguration value) { m_power = value; }

 private:
  ETrxPowerConfiguration m_power = epcOff;
};

}  // namespace vti
