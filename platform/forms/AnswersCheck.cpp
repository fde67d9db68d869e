#include "platform/forms/AnswersCheck.h"

#include <algorithm>

namespace platform::forms {

namespace {

bool contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

void addOnce(std::vector<std::string>& names, const std::vector<std::string>& more) {
  for (const auto& name : more) {
    if (!contains(names, name)) names.push_back(name);
  }
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
  return text.empty() ? "none" : text;
}

const char* purpose(ScriptAction action) {
  switch (action) {
    case ScriptAction::Type:
      return "to type into";
    case ScriptAction::Choose:
      return "to choose in";
    default:
      return "to click";
  }
}

}  // namespace

AnswersCheck::AnswersCheck(std::vector<AnswerableForm> forms) : m_forms(std::move(forms)) {}

const AnswerableForm* AnswersCheck::form(const std::string& name) const {
  auto it = std::find_if(m_forms.begin(), m_forms.end(),
                         [&](const AnswerableForm& known) { return known.name == name; });
  return it == m_forms.end() ? nullptr : &*it;
}

std::optional<std::string> AnswersCheck::problem(const ScriptRule& rule) const {
  if (rule.form != "*" && !form(rule.form)) {
    std::vector<std::string> names;
    for (const auto& known : m_forms) names.push_back(known.name);
    return "no form named " + rule.form + " can show in this run; the forms are " + joined(names) +
           " (or * for any form)";
  }
  if (!rule.whenControl.empty()) {
    if (auto wrong = controlProblem(rule, rule.whenControl, "to look at")) return wrong;
  }
  for (const auto& step : rule.steps) {
    if (step.action == ScriptAction::Wait) continue;
    if (auto wrong = controlProblem(rule, step.control, purpose(step.action))) return wrong;
  }
  return std::nullopt;
}

std::optional<std::string> AnswersCheck::controlProblem(const ScriptRule& rule,
                                                        const std::string& control,
                                                        const char* what) const {
  // Any control can be looked at for its text; only the answerable ones can be acted on.
  const bool looking = std::string(what) == "to look at";
  std::vector<std::string> valid;
  for (const auto& known : m_forms) {
    if (rule.form != "*" && known.name != rule.form) continue;
    addOnce(valid, known.controls);
    if (looking) addOnce(valid, known.texts);
  }
  if (contains(valid, control)) return std::nullopt;
  const std::string where =
      rule.form == "*" ? "no form of this run has a" : "the form " + rule.form + " has no";
  return where + " control named " + control + " " + what + "; the controls " + what + " are " +
         joined(valid);
}

}  // namespace platform::forms
