#include "plugin/entry/COperatorForms.h"

#include "driver/PromptForms.h"
#include "plugin/guide/RunDialogForms.h"
#include "plugin/instrument/FCalibrate.h"

namespace plugin {

std::vector<platform::forms::AnswerableForm> COperatorForms::Answerable() const {
  auto forms = vti::PromptForms::Answerable();
  forms.push_back(FCalibrate::Answerable());
  for (auto& form : RunDialogForms::Answerable()) forms.push_back(std::move(form));
  return forms;
}

}  // namespace plugin
