#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "apps/trxctl/NoOperatorScreen.h"
#include "platform/forms/ConsoleScreen.h"
#include "platform/forms/Screen.h"
#include "platform/forms/ScriptedScreen.h"

namespace trxctl {

// Where trxctl's forms (prompts, message boxes) appear for as long as it lives: answered from an
// answers file when one is given, on the terminal when standard input is one, else nowhere (see
// NoOperatorScreen). Forms are drawn on the error output, so the results on standard output
// stay clean for scripts.
class OperatorScreen {
 public:
  // `terminalInput`: whether standard input is a terminal an operator types on. Throws ComError
  // when the answers file cannot be read.
  OperatorScreen(const std::string& answersFile, bool terminalInput, std::ostream& err);
  ~OperatorScreen();
  OperatorScreen(const OperatorScreen&) = delete;
  OperatorScreen& operator=(const OperatorScreen&) = delete;

  // Whether a prompt was stopped because nobody could answer it.
  bool stoppedForWantOfOperator() const { return m_none && m_none->stoppedAPrompt(); }

 private:
  std::ostream& m_err;
  std::unique_ptr<platform::forms::ScriptedScreen> m_scripted;
  std::unique_ptr<platform::forms::ConsoleScreen> m_console;
  std::unique_ptr<NoOperatorScreen> m_none;
  std::optional<platform::forms::ScreenOverride> m_override;
};

}  // namespace trxctl
