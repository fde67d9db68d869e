#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>

#include "host_api/ICallback.h"
#include "platform/Object.h"
#include "platform/Variant.h"

namespace platform::forms {
class Form;
}

namespace host_api {

// A dialog the host shows for an object's settings: a form that holds a control (a settings
// page, an editor) and reports its changes through the host's callback.
class ORVEL_HOST_API IDialog : public platform::Object {
 public:
  ~IDialog() override;

  virtual std::shared_ptr<ICallback> CallBack_get() const = 0;
  virtual void CallBack_set(const std::shared_ptr<ICallback>& callback) = 0;
  virtual bool IsDocked_get() const = 0;
  virtual bool Locked_get() const = 0;
  virtual void Locked_let(bool locked) = 0;
  // `flags` as the host passes them (9 for a settings page); `data` the object edited.
  virtual void Initialize(int32_t flags, const platform::Variant& data) = 0;
  virtual void Hide() = 0;
  virtual void Show() = 0;
  // Places the dialog inside the host's frame form, and takes it out again.
  virtual void Dock(platform::forms::Form* frame) = 0;
  virtual void UnDock() = 0;
  virtual void Unload() = 0;
  virtual void Move(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
  virtual void Refresh() = 0;
  virtual void SetFocus() = 0;
};

}  // namespace host_api
