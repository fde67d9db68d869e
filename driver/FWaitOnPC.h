#pragma once

#include <cstdint>
#include <string>

#include "driver/FPowerPrompt.h"

namespace vti {

// The countdown after the outlet of the device under test was switched on or off: gives the
// device time to settle and continues by itself; Continue goes on at once, Stop Test stops
// the test.
class FWaitOnPC : public FPowerPrompt {
 public:
  static constexpr const char* kFormName = "FWaitOnPC";

  FWaitOnPC();

  // Counts `lDelayTime` seconds down after the power went to `sLidOnOff` ("21017::ON" or
  // "21018::OFF"); with `fBefore` the title warns that the power is about to go off instead.
  // Returns at once for 0 seconds or less.
  void WaitOnPC(const std::string& sLidOnOff, int32_t lDelayTime,
                platform::forms::Form* objfrmOwner, bool fBefore = false);
};

}  // namespace vti
