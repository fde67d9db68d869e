#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <vector>

#include "platform/forms/Control.h"

namespace platform::forms {

class Form;

// Runs the form's caption and every caption and tooltip of its controls (list columns, tabs,
// toolbar buttons included) through the translator, once, when the form is made.
ORVEL_PLATFORM_API void translateCaptions(Form& form, const Translator& translate);
// The same for one control: a tab strip or a toolbar created on its own.
ORVEL_PLATFORM_API void translateCaptions(Control& control, const Translator& translate);

// Translates a colour value to RGB (0x00BBGGRR): a plain RGB value stays as it is, a system
// colour (0x800000nn) gives the screen's colour for nn, a palette index (0x0100nnnn) the
// palette's entry nn and a palette-relative RGB (0x02BBGGRR) its RGB part. Anything else, an
// unknown system colour or an index without a palette entry gives -1.
ORVEL_PLATFORM_API int32_t translateColour(int32_t colour,
                                           const std::vector<int32_t>* palette = nullptr);

// Keeps the form above the others at its position and size without making it the active one;
// the screens honour the flag.
ORVEL_PLATFORM_API void placeTopmost(Form& form);

}  // namespace platform::forms
