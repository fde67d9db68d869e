#include "apps/orvel/AnswerableForms.h"

#include <set>
#include <string>

#include "driver/PromptForms.h"
#include "platform/components/ComponentRegistry.h"
#include "platform/forms/Form.h"
#include "platform/forms/MessageBox.h"

namespace orvel::AnswerableForms {

namespace {

bool actsOn(const std::string& kind) {
  static const std::set<std::string> kinds{"Button",  "CheckBox", "OptionButton", "Toolbar",
                                           "TextBox", "ComboBox", "UpDown"};
  return kinds.count(kind) > 0;
}

}  // namespace

platform::forms::AnswerableForm describe(const platform::forms::Form& form) {
  platform::forms::AnswerableForm described{form.name(), {}, {}};
  for (const auto& control : form.controls()) {
    if (actsOn(control->kind())) described.controls.push_back(control->name());
    described.texts.push_back(control->name());
  }
  return described;
}

std::vector<platform::forms::AnswerableForm> ofRun() {
  auto forms = vti::PromptForms::Answerable();
  forms.push_back(platform::forms::MessageBox::answerable());
  auto& registry = platform::components::components();
  for (const auto& progId : registry.progIds()) {
    auto dot = progId.rfind('.');
    if (dot == std::string::npos || progId.compare(dot + 1, 1, "F") != 0) continue;
    auto form = std::dynamic_pointer_cast<platform::forms::Form>(registry.create(progId));
    if (form) forms.push_back(describe(*form));
  }
  return forms;
}

platform::forms::AnswersCheck check() { return platform::forms::AnswersCheck(ofRun()); }

}  // namespace orvel::AnswerableForms
