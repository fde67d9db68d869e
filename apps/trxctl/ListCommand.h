#pragma once

#include <ostream>
#include <vector>

#include "driver/TrxTypes.h"

namespace trxctl {

// "trxctl list": every test the analyzer has, what it measures and in which unit, and the power
// configurations it runs in, in words and by code. Needs no analyzer.
class ListCommand {
 public:
  static int run(std::ostream& out);

  // The configurations the driver accepts for `code`, in the order of their numbers.
  static std::vector<vti::ETrxPowerConfiguration> validPowers(vti::ETrxTestCode code);

 private:
  static void printTest(vti::ETrxTestCode code, std::ostream& out);
};

}  // namespace trxctl
