#pragma once

#include <vector>

#include "platform/forms/AnswerableForm.h"

namespace vti {

// The operator prompts the driver shows during a session (the stops and countdowns around power
// changes, the missing resistance reading), named as an answers file names them, with the
// buttons an answer can click and the texts a rule can look at. Programs check answers files
// against these before they connect; the driver's message boxes are platform message boxes.
namespace PromptForms {

std::vector<platform::forms::AnswerableForm> Answerable();

}  // namespace PromptForms

}  // namespace vti
