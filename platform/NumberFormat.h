#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Text of a number with the invariant decimal point and no blanks; doubles use the shortest
// text that reads back to the same value ("12.5", "0.1", "-3").
ORVEL_PLATFORM_API std::string formatNumber(double value);
ORVEL_PLATFORM_API std::string formatNumber(float value);
ORVEL_PLATFORM_API std::string formatNumber(int32_t value);
ORVEL_PLATFORM_API std::string formatNumber(int16_t value);

// The one number scanner of the system: the leading numeric part of a text (blanks first are
// skipped), always with "." as the decimal point whatever the process locale: "7abc" gives 7,
// "12.5x" gives 12.5, "-3e2" gives -300, "1e999" gives infinity. No digits at all gives nothing.
ORVEL_PLATFORM_API std::optional<double> leadingNumber(std::string_view text);

// Nearest 32-bit integer, halves to even (12.5 -> 12, 13.5 -> 14). Out of range throws
// ComError 6 (overflow).
ORVEL_PLATFORM_API int32_t roundToLong(double value);
// The integer part (toward zero: 2.9 -> 2, -2.9 -> -2); out of range throws ComError 6.
ORVEL_PLATFORM_API int32_t truncateToLong(double value);
// Nearest 16-bit integer, halves to even; out of range throws ComError 6.
ORVEL_PLATFORM_API int16_t roundToInteger(double value);

}  // namespace platform
