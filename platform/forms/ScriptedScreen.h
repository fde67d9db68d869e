#pragma once

#include "platform/PlatformExport.h"

#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/forms/Screen.h"
#include "platform/forms/ScriptRule.h"

namespace platform::forms {

// One form as the scripted operator saw it.
struct ORVEL_PLATFORM_API JournalEntry {
  std::string form;
  std::string caption;
  std::string owner;  // the owner form's name, empty for none
  bool modal = false;
  bool topmost = false;
  std::vector<std::string> texts;      // visible texts when it showed
  std::vector<std::string> lastTexts;  // visible texts when it was hidden
  std::vector<std::string> actions;    // what the operator did, in order
  std::string answer;                  // the action that closed the form, or how it closed
  Milliseconds shownAt{0};             // loop time since the screen was made
  Milliseconds hiddenAt{-1};           // -1 while still shown
};

// A screen for tests and unattended runs: it answers every form by rules and keeps a journal
// of every form shown. Rules are tried from the most specific: the form's rules with a
// condition, its rule without one (its default), then the same for "*". A form that no rule
// answers makes its show fail, so an unattended run never waits for an operator who is not
// there. Make it after installing the event loop it runs on: journal times count from then.
class ORVEL_PLATFORM_API ScriptedScreen : public Screen {
 public:
  ScriptedScreen();
  ~ScriptedScreen() override;

  void addRule(ScriptRule rule);
  // Adds the rules of an answers file.
  void loadAnswers(const std::string& path);

  const std::vector<JournalEntry>& journal() const { return m_journal; }
  // What happened, in the order it happened (forms shown with their texts, steps done,
  // answers), for the log of an unattended run.
  std::string journalText() const;

  void formShown(Form& form) override;
  void formHidden(Form& form) override;
  void formChanged(Form&) override {}

 private:
  struct Pending {
    Form* form;
    size_t entry;
    std::vector<ScriptStep> steps;
    size_t next = 0;
    EventLoop* loop = nullptr;
    TimerId timer = 0;
  };

  const ScriptRule* ruleFor(const Form& form) const;
  void scheduleNext(Pending& pending);
  void runStep(Form* form);
  Pending* pendingFor(const Form* form);
  Milliseconds sinceStart() const;
  void log(const std::string& form, const std::string& what);

  std::vector<ScriptRule> m_rules;
  std::vector<JournalEntry> m_journal;
  std::string m_log;
  std::vector<Pending> m_pending;
  TimePoint m_origin;
};

}  // namespace platform::forms
