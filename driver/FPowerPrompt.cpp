#include "driver/FPowerPrompt.h"

#include "driver/MError.h"
#include "host_api/TestGuideSettings.h"
#include "platform/forms/Button.h"
#include "platform/forms/FormTools.h"
#include "platform/forms/Label.h"
#include "platform/forms/Timer.h"

namespace vti {

namespace {
constexpr const char* kCountdownText =
    "20030::The test will automatically continue in %%1 seconds.";

// Without a host (a tool run on its own) there is no test guide to stay above.
bool testGuideOnTop() {
  auto& services = host_api::hostServicesSlot();
  return services && services->newRegistryKey && host_api::TestGuideOnTop();
}
}  // namespace

FPowerPrompt::FPowerPrompt(std::string name) : Form(std::move(name)) {}

void FPowerPrompt::addButtonsAndTimer() {
  using namespace platform::forms;
  auto& proceed = add<Button>(kContinue);
  proceed.Caption_let("20010::&Continue");
  proceed.Default_let(true);
  proceed.onClick([this] { answer(Answer::Continue); });
  auto& stop = add<Button>(kStop);
  stop.Caption_let("20011::Stop &Test");
  stop.Cancel_let(true);
  stop.onClick([this] { answer(Answer::Stop); });
  auto& timer = add<Timer>("tmrCountdown");
  timer.Enabled_let(false);
  timer.Interval_let(1000);
  timer.onTimer([this] { tick(); });
}

void FPowerPrompt::translateCaptions() {
  platform::forms::translateCaptions(*this,
                                     [](const std::string& text) { return translate(text); });
}

std::string FPowerPrompt::translate(const std::string& messageText,
                                    const platform::Parameters& params) {
  return MError::TranslateText(messageText, params);
}

void FPowerPrompt::setText(const char* control, const std::string& messageText,
                           const platform::Parameters& params) {
  get<platform::forms::Label>(control).Caption_let(translate(messageText, params));
}

void FPowerPrompt::setRemaining(int32_t seconds) {
  m_remaining = seconds;
  showRemaining();
}

void FPowerPrompt::startCountdown(int32_t seconds) {
  setRemaining(seconds);
  get<platform::forms::Timer>("tmrCountdown").Enabled_let(true);
}

void FPowerPrompt::showRemaining() { setText(kTimer, kCountdownText, {m_remaining}); }

void FPowerPrompt::tick() {
  if (--m_remaining > 0) {
    showRemaining();
    return;
  }
  // Time is up: the test goes on without the operator; the caller decides what that means.
  answer(Answer::TimeUp);
}

void FPowerPrompt::showModal(platform::forms::Form* owner) {
  if (testGuideOnTop()) platform::forms::placeTopmost(*this);
  show(platform::forms::FormShow::Modal, owner);
}

void FPowerPrompt::answer(Answer given) {
  m_answer = given;
  get<platform::forms::Timer>("tmrCountdown").Enabled_let(false);
  hide();
}

}  // namespace vti
