#include "apps/trxctl/OperatorScreen.h"

#include <unistd.h>

namespace trxctl {

OperatorScreen::OperatorScreen(const std::string& answersFile, bool terminalInput,
                               std::ostream& err)
    : m_err(err) {
  if (!answersFile.empty()) {
    m_scripted = std::make_unique<platform::forms::ScriptedScreen>();
    m_scripted->loadAnswers(answersFile);
    m_override.emplace(*m_scripted);
  } else if (terminalInput) {
    m_console = std::make_unique<platform::forms::ConsoleScreen>(
        STDIN_FILENO, err, platform::forms::ConsoleScreen::optionsFor(STDERR_FILENO));
    m_override.emplace(*m_console);
  } else {
    m_none = std::make_unique<NoOperatorScreen>(err);
    m_override.emplace(*m_none);
  }
}

OperatorScreen::~OperatorScreen() {
  m_override.reset();
  // The log of an unattended run: every prompt, what was answered and when.
  if (m_scripted && !m_scripted->journal().empty()) m_err << m_scripted->journalText();
}

}  // namespace trxctl
