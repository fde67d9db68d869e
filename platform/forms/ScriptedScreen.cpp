#include "platform/forms/ScriptedScreen.h"

#include <algorithm>

#include "platform/ComError.h"
#include "platform/forms/AnswersFile.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormErrors.h"

namespace platform::forms {

namespace {
const char* const kSource = "platform.ScriptedScreen";

bool conditionHolds(const ScriptRule& rule, const Form& form) {
  if (rule.whenControl.empty()) return true;
  const Control* control = form.find(rule.whenControl);
  if (!control || !control->Visible_get()) return false;
  const auto texts = control->visibleTexts();
  return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
    return text.find(rule.contains) != std::string::npos;
  });
}

std::string clock(Milliseconds at) {
  auto ms = at.count();
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld.%03lld",
                static_cast<long long>(ms / 3600000), static_cast<long long>(ms / 60000 % 60),
                static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
  return buffer;
}

// Carries out one step on the form; returns how many typed keys the form refused.
size_t perform(Form& form, const ScriptStep& step) {
  if (step.action == ScriptAction::Wait) return 0;
  Control* control = form.find(step.control);
  auto fail = [&](const std::string& why) {
    return ComError(errAnswerFailed, kSource,
                    "The scripted answer \"" + step.describe() + "\" to the form " + form.name() +
                        " failed: " + why);
  };
  if (!control) throw fail("the form has no control named " + step.control);
  switch (step.action) {
    case ScriptAction::Click:
      if (!control->click()) throw fail("the control is hidden or disabled");
      return 0;
    case ScriptAction::Choose:
      if (!control->chooseItem(step.text)) throw fail("the control offers no such item");
      return 0;
    case ScriptAction::Type: {
      if (!control->available()) throw fail("the control is hidden or disabled");
      form.setFocus(*control);
      size_t refused = 0;
      for (unsigned char key : step.text) refused += control->typeKey(key) ? 0 : 1;
      return refused;
    }
    case ScriptAction::Wait:
      break;
  }
  return 0;
}
}  // namespace

ScriptedScreen::ScriptedScreen() : m_origin(loop().now()) {}

ScriptedScreen::~ScriptedScreen() {
  for (auto& pending : m_pending) {
    if (pending.loop) pending.loop->stopTimer(pending.timer);
  }
}

void ScriptedScreen::addRule(ScriptRule rule) { m_rules.push_back(std::move(rule)); }

void ScriptedScreen::loadAnswers(const std::string& path) {
  for (auto& rule : AnswersFile::load(path)) addRule(std::move(rule));
}

Milliseconds ScriptedScreen::sinceStart() const {
  return std::chrono::duration_cast<Milliseconds>(loop().now() - m_origin);
}

const ScriptRule* ScriptedScreen::ruleFor(const Form& form) const {
  for (const std::string& name : {form.name(), std::string("*")}) {
    for (bool conditional : {true, false}) {
      for (const auto& rule : m_rules) {
        if (rule.form == name && rule.whenControl.empty() != conditional &&
            conditionHolds(rule, form)) {
          return &rule;
        }
      }
    }
  }
  return nullptr;
}

void ScriptedScreen::formShown(Form& form) {
  JournalEntry entry;
  entry.form = form.name();
  entry.caption = form.Caption_get();
  entry.owner = form.owner() ? form.owner()->name() : std::string();
  entry.modal = form.modal();
  entry.topmost = form.Topmost_get();
  entry.texts = form.visibleTexts();
  entry.shownAt = sinceStart();
  log(entry.form, "shown: \"" + entry.caption + "\"" + (entry.modal ? " modal" : "") +
                      (entry.topmost ? " topmost" : "") +
                      (entry.owner.empty() ? "" : " over " + entry.owner));
  // The log is read by people: what the form said, not how its controls are named.
  for (const auto& line : form.readableTexts()) m_log += "    " + line + "\n";
  m_journal.push_back(std::move(entry));
  const ScriptRule* rule = ruleFor(form);
  if (!rule) {
    log(form.name(), "answer: none, no rule in the script fits");
    m_journal.back().answer = "no answer in the script";
    m_journal.back().hiddenAt = m_journal.back().shownAt;
    throw ComError(errNoAnswer, kSource,
                   "No scripted answer for the form " + form.name() + " (\"" + form.Caption_get() +
                       "\"); add a rule for it or a default for \"*\"");
  }
  m_pending.push_back(Pending{&form, m_journal.size() - 1, rule->steps});
  scheduleNext(m_pending.back());
}

void ScriptedScreen::scheduleNext(Pending& pending) {
  if (pending.next >= pending.steps.size()) return;
  Form* form = pending.form;
  pending.loop = &loop();
  pending.timer =
      pending.loop->startTimer(pending.steps[pending.next].after, [this, form] { runStep(form); });
}

ScriptedScreen::Pending* ScriptedScreen::pendingFor(const Form* form) {
  for (auto& pending : m_pending) {
    if (pending.form == form) return &pending;
  }
  return nullptr;
}

void ScriptedScreen::runStep(Form* form) {
  Pending* pending = pendingFor(form);
  if (!pending) return;
  pending->loop = nullptr;
  const ScriptStep step = pending->steps[pending->next++];
  const size_t entry = pending->entry;
  m_journal[entry].actions.push_back(step.describe());
  log(form->name(), "> " + step.describe());
  if (step.action != ScriptAction::Wait) m_journal[entry].answer = step.describe();
  size_t refused = 0;
  try {
    // The step may hide the form or open another one inside it: nothing of `pending` is used
    // after this call without looking it up again.
    refused = perform(*form, step);
  } catch (const ComError& error) {
    m_journal[entry].answer = "failed: " + std::string(error.description());
    log(m_journal[entry].form, "answer " + m_journal[entry].answer);
    throw;
  }
  if (refused) {
    m_journal[entry].actions.back() += " (" + std::to_string(refused) + " key(s) refused)";
    log(m_journal[entry].form, "  " + std::to_string(refused) + " key(s) refused");
  }
  if ((pending = pendingFor(form))) {
    // The form is still up, so this step was not its answer.
    m_journal[entry].answer.clear();
    scheduleNext(*pending);
  }
}

void ScriptedScreen::formHidden(Form& form) {
  auto it = std::find_if(m_pending.begin(), m_pending.end(),
                         [&](const Pending& pending) { return pending.form == &form; });
  if (it == m_pending.end()) return;
  if (it->loop) it->loop->stopTimer(it->timer);
  JournalEntry& entry = m_journal[it->entry];
  entry.hiddenAt = sinceStart();
  entry.lastTexts = form.visibleTexts();
  if (entry.answer.empty()) entry.answer = "closed by the form itself";
  log(entry.form, "answer: " + entry.answer);
  m_pending.erase(it);
}

void ScriptedScreen::log(const std::string& form, const std::string& what) {
  m_log += "[" + clock(sinceStart()) + "] " + form + " " + what + "\n";
}

std::string ScriptedScreen::journalText() const { return m_log; }

}  // namespace platform::forms
