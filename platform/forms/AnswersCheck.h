#pragma once

#include "platform/PlatformExport.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/forms/AnswerableForm.h"
#include "platform/forms/ScriptRule.h"

namespace platform::forms {

// Checks the rules of an answers file against the forms a run can show, so that a misspelt
// form or control is refused before anything starts, rather than never firing (or failing)
// halfway through a run.
class ORVEL_PLATFORM_API AnswersCheck {
 public:
  explicit AnswersCheck(std::vector<AnswerableForm> forms);

  // What is wrong with the rule, in plain words naming the unknown form or control and the
  // valid ones; nothing when the rule can apply.
  std::optional<std::string> problem(const ScriptRule& rule) const;

  const std::vector<AnswerableForm>& forms() const { return m_forms; }

 private:
  const AnswerableForm* form(const std::string& name) const;
  std::optional<std::string> controlProblem(const ScriptRule& rule, const std::string& control,
                                            const char* what) const;

  std::vector<AnswerableForm> m_forms;
};

}  // namespace platform::forms
