#pragma once

#include "platform/PlatformExport.h"

#include <string>
#include <string_view>

namespace platform {

// The one formatter of values shown to people (readings, limits, report cells), by a display
// pattern such as "##0.0", "0.000", "0" or "# ##0.0":
//   "0"  a digit that is always shown;        "#"  a digit shown only when the value has it;
//   "."  the decimal point, always ".";       " " or "," between integer digits: the group
//        separator, repeated every as many digits as the pattern puts after it ("# ##0" writes
//        1234567 as "1 234 567").
// Decisions that hold wherever a value is shown:
// - Rounding is half away from zero on the decimal value people read, not on its binary
//   neighbour: 2.25 with "0.0" is "2.3", 0.0005 with "0.000" is "0.001", -2.25 is "-2.3".
// - A value that rounds to zero shows no sign: -0 and -0.04 with "0.0" are "0.0".
// - Not-a-number shows "NaN", infinities "Infinity" and "-Infinity" (as formatNumber writes them).
// - A value wider than the pattern shows all its integer digits (12345.6 with "##0.0" is
//   "12345.6"): cutting digits would show another reading.
// - Fraction digits beyond the pattern's are rounded away; the point goes when no fraction digit
//   is left ("0.#" writes 3 as "3"); a value with no digit left shows "0".
// - The output never depends on the process locale.
// An empty pattern gives formatNumber's shortest text. A pattern with any other character is a
// programming fault and throws ComError 5 (invalid procedure call).
ORVEL_PLATFORM_API std::string Format(double value, std::string_view pattern);
// A float is formatted from its own shortest decimal text: 0.15f with "0.0" is "0.2".
ORVEL_PLATFORM_API std::string Format(float value, std::string_view pattern);

}  // namespace platform
