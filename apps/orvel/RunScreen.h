#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/forms/AnswersCheck.h"
#include "platform/forms/ConsoleScreen.h"
#include "platform/forms/Screen.h"
#include "platform/forms/ScriptedScreen.h"

namespace orvel {

// Where the forms of a run appear while it lives: answered from an answers file, or on the
// terminal. Forms are drawn on the error output, so standard output carries the results only.
// It keeps the forms shown, newest last, so a stop signal can answer them.
class RunScreen : public platform::forms::Screen {
 public:
  // `answersFile` empty: the terminal. Throws ComError when the file cannot be read or names a
  // form or control that the run cannot show (checked against `check`).
  RunScreen(const std::string& answersFile, const platform::forms::AnswersCheck& check,
            std::ostream& err);
  ~RunScreen() override;
  RunScreen(const RunScreen&) = delete;
  RunScreen& operator=(const RunScreen&) = delete;

  void formShown(platform::forms::Form& form) override;
  void formHidden(platform::forms::Form& form) override;
  void formChanged(platform::forms::Form& form) override { m_inner->formChanged(form); }

  // The forms shown now, oldest first.
  const std::vector<platform::forms::Form*>& shown() const { return m_shown; }

 private:
  std::ostream& m_err;
  std::unique_ptr<platform::forms::ScriptedScreen> m_scripted;
  std::unique_ptr<platform::forms::ConsoleScreen> m_console;
  platform::forms::Screen* m_inner = nullptr;
  std::vector<platform::forms::Form*> m_shown;
  std::optional<platform::forms::ScreenOverride> m_override;
};

}  // namespace orvel
