#pragma once

#include <vector>

#include "platform/forms/AnswerableForm.h"

namespace plugin {

// The operator dialogs the plug-in shows during a run (abort question, failed test, further
// protective-earth points, lead connection), named as an answers file names them, with the
// controls an answer can act on and the texts a rule can look at. A program checks answers
// files against these before it starts a run.
namespace RunDialogForms {

std::vector<platform::forms::AnswerableForm> Answerable();

}  // namespace RunDialogForms
}  // namespace plugin
