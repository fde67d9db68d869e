#include "apps/trxctl/OperatorScreen.h"

#include <unistd.h>

#include <algorithm>

#include "driver/PromptForms.h"
#include "platform/forms/AnswersCheck.h"
#include "platform/forms/AnswersFile.h"
#include "platform/forms/Form.h"
#include "platform/forms/MessageBox.h"

namespace trxctl {

platform::forms::AnswersCheck OperatorScreen::answersCheck() {
  auto forms = vti::PromptForms::Answerable();
  forms.push_back(platform::forms::MessageBox::answerable());
  return platform::forms::AnswersCheck(std::move(forms));
}

OperatorScreen::OperatorScreen(const std::string& answersFile, bool terminalInput,
                               std::ostream& err)
    : m_err(err) {
  if (!answersFile.empty()) {
    m_scripted = std::make_unique<platform::forms::ScriptedScreen>();
    // A rule for a form or control the run cannot show would never fire, or fail halfway
    // through with the device under test powered: refuse the file before connecting.
    const auto check = answersCheck();
    for (auto& rule : platform::forms::AnswersFile::load(answersFile, &check)) {
      m_scripted->addRule(std::move(rule));
    }
    m_inner = m_scripted.get();
  } else if (terminalInput) {
    m_console = std::make_unique<platform::forms::ConsoleScreen>(
        STDIN_FILENO, err, platform::forms::ConsoleScreen::optionsFor(STDERR_FILENO));
    m_inner = m_console.get();
  } else {
    m_none = std::make_unique<NoOperatorScreen>(err);
    m_inner = m_none.get();
  }
  m_override.emplace(*this);
}

OperatorScreen::~OperatorScreen() {
  m_override.reset();
  // The log of an unattended run: every prompt, what was answered and when.
  if (m_scripted && !m_scripted->journal().empty()) m_err << m_scripted->journalText();
}

void OperatorScreen::formShown(platform::forms::Form& form) {
  m_inner->formShown(form);
  m_shown.push_back(&form);
}

void OperatorScreen::formHidden(platform::forms::Form& form) {
  m_shown.erase(std::remove(m_shown.begin(), m_shown.end(), &form), m_shown.end());
  m_inner->formHidden(form);
}

void OperatorScreen::stopShownForms() {
  // Newest first: a message box over a prompt is answered before the prompt. A form hidden by
  // an earlier answer leaves the list at once.
  while (!m_shown.empty()) {
    platform::forms::Form* form = m_shown.back();
    form->pressEscape();
    if (!m_shown.empty() && m_shown.back() == form) m_shown.pop_back();
  }
}

}  // namespace trxctl
