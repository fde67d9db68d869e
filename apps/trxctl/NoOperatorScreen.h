#pragma once

#include <ostream>
#include <set>

#include "platform/forms/Screen.h"

namespace trxctl {

// The screen of a run that has no operator: no terminal and no answers file. A message box is
// written to the error output and closed; a countdown is left to run out; a prompt that needs
// an operator is written there too,
// with the reason, and answered as the operator's Stop (its cancel button) would, so the test
// ends as stopped and the analyzer is still brought back to a safe state.
class NoOperatorScreen : public platform::forms::Screen {
 public:
  explicit NoOperatorScreen(std::ostream& err) : m_err(err) {}

  void formShown(platform::forms::Form& form) override;
  void formHidden(platform::forms::Form& form) override { m_shown.erase(&form); }
  void formChanged(platform::forms::Form&) override {}

  // Whether a prompt was stopped for want of an operator.
  bool stoppedAPrompt() const { return m_stoppedAPrompt; }

 private:
  std::ostream& m_err;
  std::set<platform::forms::Form*> m_shown;
  bool m_stoppedAPrompt = false;
};

}  // namespace trxctl
