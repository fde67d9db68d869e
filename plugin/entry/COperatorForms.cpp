#include "plugin/entry/COperatorForms.h"

#include "driver/PromptForms.h"

namespace plugin {

std::vector<platform::forms::AnswerableForm> COperatorForms::Answerable() const {
  auto forms = vti::PromptForms::Answerable();
  return forms;
}

}  // namespace plugin
