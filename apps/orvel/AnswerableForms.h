#pragma once

#include <vector>

#include "platform/forms/AnswerableForm.h"
#include "platform/forms/AnswersCheck.h"

namespace platform::forms {
class Form;
}

namespace orvel {

// The forms a run of a template can show, as an answers file names them: the driver's power
// prompts, the message box, and every form the loaded plug-in registers as a class of its own
// ("orvelTRX440.FTestGuide", "orvelTRX440.FHaltOnFail", ...), so the list follows the plug-in.
namespace AnswerableForms {

// What an answers file can do on `form`: click, type into or choose in its buttons, check
// boxes, option buttons, toolbars, text and combo boxes and up-downs; look at any control.
platform::forms::AnswerableForm describe(const platform::forms::Form& form);
// Every form of a run; the plug-in must be loaded.
std::vector<platform::forms::AnswerableForm> ofRun();
platform::forms::AnswersCheck check();

}  // namespace AnswerableForms
}  // namespace orvel
