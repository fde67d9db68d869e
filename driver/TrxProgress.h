#pragma once

#include <cstdint>

#include "driver/TrxTypes.h"

namespace vti {

// What the analyzer keeps applied to the device under test while the driver waits in a test.
struct TrxHold {
  enum class Kind {
    Settling,  // a pause of the test's sequence, such as the insulation test's duration
    Reading,   // the analyzer streams readings; the last one is taken
  };
  Kind kind = Kind::Settling;
  ETrxTestCode testCode = etcMains;
  ETrxPowerConfiguration powerConfig = epcOff;
  // The insulation test voltage in volts (500 or 250); 0 for a test that applies none.
  int32_t testVolts = 0;
  int32_t milliseconds = 0;
};

// Observes the waits of a running test, so that a front end can show what is applied to the
// device and for how long; the driver itself never prints. Installed on a connection with
// CTrxVti::Progress_set; without one nothing is told.
//
// Both calls come from inside the running test, on the event loop: they must not throw and must
// not start another operation on the connection. Every HoldBegins is followed by one HoldEnds,
// also when the wait is cut short by a stop or an error.
class TrxProgress {
 public:
  virtual ~TrxProgress();

  // A wait of `hold.milliseconds` begins now.
  virtual void HoldBegins(const TrxHold& hold) = 0;
  // The wait ended.
  virtual void HoldEnds() = 0;
};

}  // namespace vti
