#include "host/HostGuideToolbar.h"

#include <cctype>
#include <set>
#include <string>

#include "host_api/HostServices.h"
#include "platform/MessageText.h"
#include "platform/forms/AcceleratorKey.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/Label.h"
#include "platform/forms/Toolbar.h"

namespace host {

namespace {

using host_api::GuideToolbarState;
namespace Button = host_api::GuideButton;

constexpr const char* kDomain = "Orvel";

struct StandardButton {
  int32_t id;
  const char* caption;
};

// Every caption carries its own accelerator: on a console the keys are the only way to the
// buttons, so no two may share one.
constexpr StandardButton kStandardButtons[] = {
    {Button::Abort, "1101::&Abort"},
    {Button::Previous, "1102::&Previous"},
    {Button::Next, "1103::&Next"},
    {Button::Stop, "1201::S&top"},
    {Button::Start, "1202::&Start"},
    {Button::RunChildren, "1203::Run c&hildren"},
    {Button::NotPerformed, "1301::Not perf&ormed"},
    {Button::Skip, "1302::S&kip"},
    {Button::Info, "1401::&Info"},
};

bool leavesGuide(int32_t id) {
  return id == Button::Previous || id == Button::Next || id == Button::RunChildren ||
         id == Button::NotPerformed || id == Button::Skip;
}

std::string translated(const std::string& text) {
  auto services = host_api::hostServicesSlot();
  if (!services || !services->application) return platform::MessageText::parse(text).text;
  return services->application->Translate(kDomain, text);
}

// A caption without an accelerator gets the first of its letters no other button uses.
std::string withFreeAccelerator(const std::string& caption, const platform::forms::Toolbar& bar) {
  if (platform::forms::acceleratorKey(caption) != 0) return caption;
  std::set<char> used;
  for (const auto& button : bar.buttons())
    used.insert(platform::forms::acceleratorKey(button.caption));
  for (size_t i = 0; i < caption.size(); ++i) {
    const auto letter = static_cast<unsigned char>(caption[i]);
    if (!std::isalpha(letter) || used.count(static_cast<char>(std::toupper(letter)))) continue;
    return caption.substr(0, i) + "&" + caption.substr(i);
  }
  return caption;
}

}  // namespace

HostGuideToolbar::HostGuideToolbar() = default;
HostGuideToolbar::~HostGuideToolbar() = default;

void HostGuideToolbar::Attach(platform::forms::Form& form) {
  if (m_toolbar) return;
  m_toolbar = &form.add<platform::forms::Toolbar>(kToolbarName);
  m_statusLine = &form.add<platform::forms::Label>(kStatusName);
  for (const auto& button : kStandardButtons) addButton(button.id, translated(button.caption));
  m_toolbar->onButtonClick([this](platform::forms::ToolbarButton& button) { clicked(button.key); });
  refresh();
}

void HostGuideToolbar::Owner_set(const std::shared_ptr<host_api::ITestElement>& owner) {
  m_owner = owner;
}

void HostGuideToolbar::AddCustomButton(int32_t id, const std::string& caption) {
  addButton(id, caption);
  refresh();
}

void HostGuideToolbar::addButton(int32_t id, const std::string& caption) {
  m_buttons[id] = ButtonState{};
  toolbar().addButton(std::to_string(id), withFreeAccelerator(caption, toolbar()));
}

void HostGuideToolbar::State_let(GuideToolbarState state) {
  m_state = state;
  refresh();
}

bool HostGuideToolbar::ButtonEnabled_get(int32_t id) const {
  auto found = m_buttons.find(id);
  return found != m_buttons.end() && found->second.offered;
}

void HostGuideToolbar::ButtonEnabled_let(int32_t id, bool enabled) {
  auto found = m_buttons.find(id);
  if (found == m_buttons.end()) {
    throw platform::ComError(platform::forms::errElementNotFound, "HostGuideToolbar",
                             "No button " + std::to_string(id) + " on the guide toolbar");
  }
  found->second.offered = enabled;
  refresh();
}

bool HostGuideToolbar::ButtonClickable(int32_t id) const {
  return ButtonEnabled_get(id) && allowedInState(id);
}

bool HostGuideToolbar::allowedInState(int32_t id) const {
  switch (m_state) {
    case GuideToolbarState::Idle:
      return id != Button::Stop;
    case GuideToolbarState::Running:
      return id == Button::Abort || id == Button::Stop || id == Button::Start;
    case GuideToolbarState::Initialising:
    case GuideToolbarState::Stopping:
      return false;
  }
  return false;
}

bool HostGuideToolbar::ButtonValue_get(int32_t id) const {
  auto found = m_buttons.find(id);
  return found != m_buttons.end() && found->second.value;
}

void HostGuideToolbar::ButtonValue_let(int32_t id, bool value) {
  auto found = m_buttons.find(id);
  if (found != m_buttons.end()) found->second.value = value;
}

void HostGuideToolbar::StatusText_let(const std::string& text) {
  m_status = text;
  if (m_statusLine) m_statusLine->Caption_let(text);
}

void HostGuideToolbar::onButtonClick(std::function<void(int32_t id)> handler) {
  m_handler = std::move(handler);
}

void HostGuideToolbar::refresh() {
  if (!m_toolbar) return;
  for (const auto& [id, state] : m_buttons) {
    auto* button = m_toolbar->findButton(std::to_string(id));
    if (!button) continue;
    button->enabled = ButtonClickable(id);
    // A button the plug-in does not offer for this element is not shown at all: the console's
    // line stays short and the keys that work are the ones on it.
    button->visible = state.offered || !leavesGuide(id);
  }
  if (auto* form = m_toolbar->form()) form->refresh();
}

void HostGuideToolbar::clicked(const std::string& key) {
  const int32_t id = std::stoi(key);
  // The control refuses disabled buttons already; the state is checked again because a click
  // may have been queued before the state changed.
  if (!ButtonClickable(id) || !m_handler) return;
  m_handler(id);
}

platform::forms::Toolbar& HostGuideToolbar::toolbar() const {
  if (!m_toolbar) {
    throw platform::ComError(platform::forms::errElementNotFound, "HostGuideToolbar",
                             "The guide toolbar is not on a form yet");
  }
  return *m_toolbar;
}

}  // namespace host
