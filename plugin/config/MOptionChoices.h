#pragma once

#include <vector>

#include "plugin/core/CPropertyTable.h"

namespace plugin {

// The values of the options that take one of a fixed list, with the names a user may type for
// them. The numbers are the driver's; the names are its constants without their prefix (and
// "500V"/"250V" for the test voltage, so that a name is never mistaken for a number).
namespace MOptionChoices {

std::vector<PropertyChoice> MeasType();         // ACDC, AC, DC
std::vector<PropertyChoice> TestVoltage();      // 500V, 250V
std::vector<PropertyChoice> AppliedParts();     // Open, Ground
std::vector<PropertyChoice> MAPPolarity();      // Normal, Reverse
std::vector<PropertyChoice> PLConfiguration();  // Worst, All
std::vector<PropertyChoice> PowerOFFScreen();   // After, Before
std::vector<PropertyChoice> WaveformType();     // Complex30BPM ... Vfib

}  // namespace MOptionChoices
}  // namespace plugin
