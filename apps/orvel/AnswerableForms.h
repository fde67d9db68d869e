#pragma once

#include <vector>

#include "platform/forms/AnswerableForm.h"
#include "platform/forms/AnswersCheck.h"

namespace orvel {

// The forms a run of a template can show, as an answers file names them: those the loaded
// plug-in lists (its guide, its dialogs, its driver's prompts) and the message box.
namespace AnswerableForms {

// The plug-in must be loaded.
std::vector<platform::forms::AnswerableForm> ofRun();
platform::forms::AnswersCheck check();

}  // namespace AnswerableForms
}  // namespace orvel
