#pragma once

#include <memory>
#include <string>

#include "host_api/ICustomControl.h"
#include "host_api/IResultData.h"
#include "platform/forms/Form.h"

namespace plugin {

// The comment of a result, shown read-only in a host dialog.
class XDetailedResult : public host_api::ICustomControl {
 public:
  static constexpr const char* ClassName = "XDetailedResult";
  // The system colour of button faces, as the background of a text nobody may edit.
  static constexpr int32_t ButtonFaceColour = static_cast<int32_t>(0x8000000F);

  XDetailedResult();
  ~XDetailedResult() override;

  std::shared_ptr<host_api::ICallback> CallBack_get() const override { return m_callback; }
  void CallBack_set(const std::shared_ptr<host_api::ICallback>& callback) override {
    m_callback = callback;
  }
  platform::forms::Form* hWnd_get() override { return &m_form; }
  bool Visible_get() const override { return m_form.Visible_get(); }
  void Visible_let(bool visible) override;
  // The comment is never editable here, locked or not.
  bool Locked_get() const override { return true; }
  void Locked_let(bool) override {}
  // `data` is the result (host_api::IResultData) whose comment is shown; anything else fails
  // with a type mismatch.
  void Initialize(const platform::Variant& data) override;
  void Refresh() override;
  void SetFocus() override;

  const std::shared_ptr<host_api::IResultData>& Result_get() const { return m_result; }

 private:
  platform::forms::Form m_form{ClassName};
  std::shared_ptr<host_api::IResultData> m_result;
  std::shared_ptr<host_api::ICallback> m_callback;
};

}  // namespace plugin
