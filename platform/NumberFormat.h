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

// The leading numeric part of a text (blanks first are skipped): "7abc" gives 7, "12.5x" gives
// 12.5, "-3e2" gives -300. No digits at all gives nothing.
ORVEL_PLATFORM_API std::optional<double> leadingNumber(std::string_view text);

// Nearest 32-bit integer, halves to even (12.5 -> 12, 13.5 -> 14). Out of range throws
// ComError 6 (overflow).
ORVEL_PLATFORM_API int32_t roundToLong(double value);

}  // namespace platform
