#include "apps/orvel/RunScreen.h"

#include <unistd.h>

#include <algorithm>

#include "platform/forms/AnswersFile.h"
#include "platform/forms/Form.h"

namespace orvel {

RunScreen::RunScreen(const std::string& answersFile, const platform::forms::AnswersCheck& check,
                     std::ostream& err)
    : m_err(err) {
  if (!answersFile.empty()) {
    m_scripted = std::make_unique<platform::forms::ScriptedScreen>();
    // A rule for a form or control the run cannot show would never fire, or fail halfway
    // through with the device under test powered: refuse the file before connecting.
    for (auto& rule : platform::forms::AnswersFile::load(answersFile, &check)) {
      m_scripted->addRule(std::move(rule));
    }
    m_inner = m_scripted.get();
  } else {
    m_console = std::make_unique<platform::forms::ConsoleScreen>(
        STDIN_FILENO, err, platform::forms::ConsoleScreen::optionsFor(STDERR_FILENO));
    m_inner = m_console.get();
  }
  m_override.emplace(*this);
}

RunScreen::~RunScreen() {
  m_override.reset();
  // The log of an unattended run: every form, what was answered and when.
  if (m_scripted && !m_scripted->journal().empty()) m_err << m_scripted->journalText();
}

void RunScreen::formShown(platform::forms::Form& form) {
  m_shown.push_back(&form);
  try {
    m_inner->formShown(form);
  } catch (...) {
    m_shown.pop_back();
    throw;
  }
}

void RunScreen::formHidden(platform::forms::Form& form) {
  m_shown.erase(std::remove(m_shown.begin(), m_shown.end(), &form), m_shown.end());
  m_inner->formHidden(form);
}

}  // namespace orvel
