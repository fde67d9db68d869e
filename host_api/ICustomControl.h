#pragma once

#include "host_api/HostApiExport.h"

#include <memory>

#include "host_api/ICallback.h"
#include "platform/Object.h"
#include "platform/Variant.h"

namespace platform::forms {
class Form;
}

namespace host_api {

// A control a dialog holds (a settings page, an editor): a form of the forms runtime that edits
// the object given at Initialize.
class ORVEL_HOST_API ICustomControl : public platform::Object {
 public:
  ~ICustomControl() override;

  virtual std::shared_ptr<ICallback> CallBack_get() const = 0;
  virtual void CallBack_set(const std::shared_ptr<ICallback>& callback) = 0;
  // The control's own form: what a screen shows of it.
  virtual platform::forms::Form* hWnd_get() = 0;
  virtual bool Visible_get() const = 0;
  virtual void Visible_let(bool visible) = 0;
  virtual bool Locked_get() const = 0;
  virtual void Locked_let(bool locked) = 0;
  virtual void Initialize(const platform::Variant& data) = 0;
  virtual void Refresh() = 0;
  virtual void SetFocus() = 0;
};

}  // namespace host_api
