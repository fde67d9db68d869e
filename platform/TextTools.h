#pragma once

#include "platform/PlatformExport.h"

#include <string>
#include <string_view>

namespace platform {

// `text` without the blanks (space, tab, CR, LF, vertical tab, form feed) at either end. Only
// ASCII white space counts, whatever the process locale says.
ORVEL_PLATFORM_API std::string_view trimmed(std::string_view text);

// The same, as a string of its own.
inline std::string trim(std::string_view text) { return std::string(trimmed(text)); }

}  // namespace platform
