#include "plugin/core/FElementSetup.h"

#include "platform/ComError.h"
#include "platform/components/ComponentRegistry.h"

namespace plugin {

namespace {
constexpr int32_t errCannotCreate = 429;
}

FElementSetup::FElementSetup() = default;

FElementSetup::~FElementSetup() {
  // A dialog dropped without Unload must not leave its page on the screen.
  if (auto* form = controlForm()) form->hide();
}

std::shared_ptr<host_api::ICustomControl> FElementSetup::CreateSetupCtrl(
    const std::string& progId) {
  auto object = platform::components::components().create(progId);
  auto control = std::dynamic_pointer_cast<host_api::ICustomControl>(object);
  if (!control) {
    throw platform::ComError(errCannotCreate, "orvelTRX440.FElementSetup",
                             "\"" + progId + "\" is not a control a dialog can hold");
  }
  m_control = control;
  if (m_callback) m_control->CallBack_set(m_callback);
  if (auto* form = controlForm()) m_frame.Caption_let(form->Caption_get());
  return m_control;
}

void FElementSetup::CallBack_set(const std::shared_ptr<host_api::ICallback>& callback) {
  m_callback = callback;
  if (m_control) m_control->CallBack_set(callback);
}

void FElementSetup::Locked_let(bool locked) {
  m_locked = locked;
  if (m_control) m_control->Locked_let(locked);
}

void FElementSetup::Initialize(int32_t flags, const platform::Variant& data) {
  m_flags = flags;
  if (m_control) m_control->Initialize(data);
}

void FElementSetup::Hide() {
  if (auto* form = controlForm()) form->hide();
  m_frame.hide();
}

void FElementSetup::Show() {
  if (auto* form = controlForm()) {
    form->show(platform::forms::FormShow::Modeless, m_dockedIn);
  } else {
    m_frame.show(platform::forms::FormShow::Modeless, m_dockedIn);
  }
}

void FElementSetup::Dock(platform::forms::Form* frame) { m_dockedIn = frame; }

void FElementSetup::UnDock() { m_dockedIn = nullptr; }

void FElementSetup::Unload() {
  if (auto* form = controlForm()) form->unload();
  m_frame.unload();
  m_control.reset();
}

void FElementSetup::Move(int32_t, int32_t, int32_t, int32_t) {
  // Screens place forms by their layout; a position in pixels means nothing to a terminal.
}

void FElementSetup::Refresh() {
  if (m_control) m_control->Refresh();
}

void FElementSetup::SetFocus() {
  if (m_control) m_control->SetFocus();
}

platform::forms::Form* FElementSetup::controlForm() const {
  return m_control ? m_control->hWnd_get() : nullptr;
}

}  // namespace plugin
