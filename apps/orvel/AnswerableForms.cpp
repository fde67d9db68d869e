#include "apps/orvel/AnswerableForms.h"

#include "host_api/IOperatorForms.h"
#include "platform/components/ComponentRegistry.h"
#include "platform/forms/MessageBox.h"

namespace orvel::AnswerableForms {

namespace {
constexpr const char* kOperatorForms = "orvelTRX440.COperatorForms";
}

std::vector<platform::forms::AnswerableForm> ofRun() {
  std::vector<platform::forms::AnswerableForm> forms;
  auto& registry = platform::components::components();
  if (registry.isRegistered(kOperatorForms)) {
    if (auto list =
            std::dynamic_pointer_cast<host_api::IOperatorForms>(registry.create(kOperatorForms))) {
      forms = list->Answerable();
    }
  }
  forms.push_back(platform::forms::MessageBox::answerable());
  return forms;
}

platform::forms::AnswersCheck check() { return platform::forms::AnswersCheck(ofRun()); }

}  // namespace orvel::AnswerableForms
