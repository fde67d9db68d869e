#pragma once

#include "platform/PlatformExport.h"

#include <string>

namespace platform::forms {

// The accelerator of a caption: the character after a single "&" ("Stop &Test" gives 'T');
// "&&" stands for a literal ampersand. Returns 0 when the caption has none. The result is upper
// case so that keys compare without regard to case.
ORVEL_PLATFORM_API char acceleratorKey(const std::string& caption);

// The caption as it is shown: accelerator marks removed, "&&" shown as "&".
ORVEL_PLATFORM_API std::string displayCaption(const std::string& caption);

}  // namespace platform::forms
