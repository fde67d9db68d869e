#pragma once

#include <string>

namespace trxctl {

// The applied-part text a test sends to the analyzer ("AP=..."): the leads under test as a
// comma list of lead names (RA, LL, LA, RL, V1) or socket numbers (1..5), or ALL; or three
// fields joined by "/": those leads, the other leads (a list, or empty) and what happens to the
// leads not under test (OPEN, GND, or empty), as in "RA,LL//OPEN" or "RA/LA/GND".
class AppliedPartText {
 public:
  // Empty when the analyzer takes `text`; otherwise why not, in words. The analyzer ignores
  // names it does not know, so a misspelt lead would otherwise be measured as no lead at all.
  static std::string problem(const std::string& text);
};

}  // namespace trxctl
