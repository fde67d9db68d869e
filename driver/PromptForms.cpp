#include "driver/PromptForms.h"

#include "driver/FStopOnPC.h"
#include "driver/FWaitOnPC.h"

namespace vti::PromptForms {

std::vector<platform::forms::AnswerableForm> Answerable() {
  // The same names the forms are built with, so the list cannot drift from the forms.
  return {
      {FStopOnPC::kFormName,
       {FStopOnPC::kSkip, FPowerPrompt::kContinue, FPowerPrompt::kStop},
       {FPowerPrompt::kTitle, FPowerPrompt::kBody, FPowerPrompt::kTimer}},
      {FWaitOnPC::kFormName,
       {FPowerPrompt::kContinue, FPowerPrompt::kStop},
       {FPowerPrompt::kTitle, FPowerPrompt::kBody, FPowerPrompt::kTimer}},
  };
}

}  // namespace vti::PromptForms
