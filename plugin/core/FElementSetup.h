#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/ICustomControl.h"
#include "host_api/IDialog.h"
#include "platform/forms/Form.h"

namespace plugin {

// The plug-in's generic setup dialog: a frame form that holds one control (a settings page, an
// editor, a result view) created by ProgID, and hands it the host's callback and the data it
// edits. What the operator sees is the control's own form, shown with the frame's caption.
class FElementSetup : public host_api::IDialog {
 public:
  FElementSetup();
  ~FElementSetup() override;

  // Creates the control registered as `progId` and places it in the frame. An unknown ProgID or
  // a class that is no control throws platform::ComError 429.
  std::shared_ptr<host_api::ICustomControl> CreateSetupCtrl(const std::string& progId);
  const std::shared_ptr<host_api::ICustomControl>& Control() const { return m_control; }
  platform::forms::Form& Frame() { return m_frame; }

  std::shared_ptr<host_api::ICallback> CallBack_get() const override { return m_callback; }
  void CallBack_set(const std::shared_ptr<host_api::ICallback>& callback) override;
  bool IsDocked_get() const override { return m_dockedIn != nullptr; }
  bool Locked_get() const override { return m_locked; }
  void Locked_let(bool locked) override;
  // Hands `data` to the control; the flags say how the host shows the dialog.
  void Initialize(int32_t flags, const platform::Variant& data) override;
  void Hide() override;
  void Show() override;
  void Dock(platform::forms::Form* frame) override;
  void UnDock() override;
  void Unload() override;
  void Move(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void Refresh() override;
  void SetFocus() override;

  int32_t Flags_get() const { return m_flags; }

 private:
  platform::forms::Form* controlForm() const;

  platform::forms::Form m_frame{"FElementSetup"};
  std::shared_ptr<host_api::ICustomControl> m_control;
  std::shared_ptr<host_api::ICallback> m_callback;
  platform::forms::Form* m_dockedIn = nullptr;
  bool m_locked = false;
  int32_t m_flags = 0;
};

}  // namespace plugin
