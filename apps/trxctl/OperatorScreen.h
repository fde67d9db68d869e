#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "apps/trxctl/NoOperatorScreen.h"
#include "platform/forms/AnswersCheck.h"
#include "platform/forms/ConsoleScreen.h"
#include "platform/forms/Screen.h"
#include "platform/forms/ScriptedScreen.h"

namespace trxctl {

// Where trxctl's forms (prompts, message boxes) appear for as long as it lives: answered from an
// answers file when one is given, on the terminal when standard input is one, else nowhere (see
// NoOperatorScreen). Forms are drawn on the error output, so the results on standard output
// stay clean for scripts. It keeps track of the forms shown, so that Ctrl-C can stop a prompt
// that is waiting for the operator.
class OperatorScreen : public platform::forms::Screen {
 public:
  // `terminalInput`: whether standard input is a terminal an operator types on. Throws ComError
  // when the answers file cannot be read or names a form or control that a run cannot show.
  OperatorScreen(const std::string& answersFile, bool terminalInput, std::ostream& err);
  ~OperatorScreen() override;
  OperatorScreen(const OperatorScreen&) = delete;
  OperatorScreen& operator=(const OperatorScreen&) = delete;

  // The forms a run can show, as an answers file may name them: the driver's prompts and the
  // message box.
  static platform::forms::AnswersCheck answersCheck();

  void formShown(platform::forms::Form& form) override;
  void formHidden(platform::forms::Form& form) override;
  void formChanged(platform::forms::Form& form) override { m_inner->formChanged(form); }

  // Answers every form still shown as its cancel button would (Stop Test in a prompt).
  void stopShownForms();
  // Whether a prompt was stopped because nobody could answer it.
  bool stoppedForWantOfOperator() const { return m_none && m_none->stoppedAPrompt(); }

 private:
  std::ostream& m_err;
  std::unique_ptr<platform::forms::ScriptedScreen> m_scripted;
  std::unique_ptr<platform::forms::ConsoleScreen> m_console;
  std::unique_ptr<NoOperatorScreen> m_none;
  platform::forms::Screen* m_inner = nullptr;
  std::vector<platform::forms::Form*> m_shown;
  std::optional<platform::forms::ScreenOverride> m_override;
};

}  // namespace trxctl
