#include "plugin/entry/COperatorForms.h"

#include "driver/PromptForms.h"
#include "plugin/guide/RunDialogForms.h"

namespace plugin {

std::vector<platform::forms::AnswerableForm> COperatorForms::Answerable() const {
  auto forms = vti::PromptForms::Answerable();
  for (auto& form : RunDialogForms::Answerable()) forms.push_back(std::move(form));
  return forms;
}

}  // namespace plugin
