#include "apps/trxctl/NoOperatorScreen.h"

#include "platform/ComError.h"
#include "platform/EventLoop.h"
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/Timer.h"

namespace trxctl {

namespace {
constexpr const char* kMessageBox = "MessageBox";

// A form with a running countdown goes on by itself when the time is up: it needs nobody.
bool closesByItself(const platform::forms::Form& form) {
  for (const auto& control : form.controls()) {
    auto* timer = dynamic_cast<const platform::forms::Timer*>(control.get());
    if (timer && timer->running()) return true;
  }
  return false;
}
}  // namespace

void NoOperatorScreen::formShown(platform::forms::Form& form) {
  const bool message = form.name() == kMessageBox;
  if (!message && closesByItself(form)) {
    m_err << "trxctl: " << form.Caption_get() << ": waiting for the countdown" << std::endl;
    return;
  }
  if (!message && !form.cancelButton()) {
    throw platform::ComError(platform::RuntimeError::ObjectRequired, "trxctl",
                             "The form " + form.name() +
                                 " needs an operator, but there is no terminal and no answers "
                                 "file (--answers FILE)");
  }
  m_err << "trxctl: " << (form.Caption_get().empty() ? form.name() : form.Caption_get()) << ":";
  for (const std::string& text : form.readableTexts()) m_err << "\n  " << text;
  m_err << '\n';
  if (!message) {
    m_err << "trxctl: this prompt needs an operator, but there is no terminal and no answers "
             "file (--answers FILE): the test is stopped.\n";
    m_stoppedAPrompt = true;
  }
  m_err.flush();
  // Answered once the form waits, as an operator's key would be: a message box is
  // acknowledged, a prompt is stopped.
  m_shown.insert(&form);
  platform::loop().post([this, target = &form] {
    if (m_shown.count(target)) target->pressEscape();
  });
}

}  // namespace trxctl
