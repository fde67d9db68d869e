#include "apps/orvel/RunStop.h"

#include <signal.h>

#include "apps/orvel/RunScreen.h"
#include "host/HostTestRun.h"
#include "host_api/IGuideToolbar.h"
#include "platform/forms/Form.h"
#include "platform/forms/Toolbar.h"

namespace orvel {

namespace {

constexpr const char* kGuideToolbar = "xtbGuide";

// The guide's own stop while it runs; an idle guide is left, as nothing of it is running.
void stopGuide(platform::forms::Form& guide, platform::forms::Toolbar& toolbar) {
  const std::string stop = std::to_string(host_api::GuideButton::Stop);
  auto* button = toolbar.findButton(stop);
  if (button && button->enabled && button->visible) {
    toolbar.chooseItem(stop);
  } else {
    guide.hide();
  }
}

}  // namespace

RunStop::RunStop(host::HostTestRun& testRun, RunScreen& screen, std::ostream& err)
    : m_testRun(testRun),
      m_screen(screen),
      m_err(err),
      m_signal([this](int signal) { stop(signal); }) {}

void RunStop::stop(int signal) {
  if (m_stopped) return;
  m_stopped = true;
  const char* what = signal == SIGINT ? "Ctrl-C" : signal == SIGHUP ? "terminal closed" : "SIGTERM";
  m_err << "orvel run: stopped (" << what << "); ending the run in order" << std::endl;
  m_testRun.Status_let(host_api::RunStatus::Aborted);
  // Newest first: a dialog over the guide is answered before the guide.
  auto shown = m_screen.shown();
  for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
    platform::forms::Form& form = **it;
    if (auto* toolbar = dynamic_cast<platform::forms::Toolbar*>(form.find(kGuideToolbar))) {
      stopGuide(form, *toolbar);
    } else {
      form.pressEscape();
    }
  }
}

}  // namespace orvel
