#pragma once

#include <string>

namespace platform::forms {

// The accelerator of a caption: the character after a single "&" ("Stop &Test" gives 'T');
// "&&" stands for a literal ampersand. Returns 0 when the caption has none. The result is upper
// case so that keys compare without regard to case.
char acceleratorKey(const std::string& caption);

// The caption as it is shown: accelerator marks removed, "&&" shown as "&".
std::string displayCaption(const std::string& caption);

}  // namespace platform::forms
