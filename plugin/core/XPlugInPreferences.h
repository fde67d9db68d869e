#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/ICustomControl.h"
#include "platform/forms/Form.h"
#include "plugin/core/CPlugInSetup.h"

namespace plugin {

// The plug-in's page in the host's settings dialog: module nomenclature (IEC or AAMI terms) and
// the polarity switching delay, edited in place in the CPlugInSetup given at Initialize. Every
// edit by the operator is reported to the host as "Change"; filling the page is not.
//
// The page is a control, not a form: it holds its form, so that the object is a
// platform::Object through one base only.
class XPlugInPreferences : public host_api::ICustomControl {
 public:
  static constexpr const char* ClassName = "XPlugInPreferences";
  static constexpr int32_t MinDelay = 1;
  static constexpr int32_t MaxDelay = 5;

  // Builds the page and translates its captions.
  XPlugInPreferences();
  ~XPlugInPreferences() override;

  std::shared_ptr<host_api::ICallback> CallBack_get() const override { return m_callback; }
  void CallBack_set(const std::shared_ptr<host_api::ICallback>& callback) override;
  platform::forms::Form* hWnd_get() override { return &m_form; }
  bool Visible_get() const override { return m_form.Visible_get(); }
  void Visible_let(bool visible) override;
  bool Locked_get() const override { return m_locked; }
  // A locked page shows the settings but takes no edits.
  void Locked_let(bool locked) override;
  // `data` is the CPlugInSetup to edit; anything else fails with a type mismatch.
  void Initialize(const platform::Variant& data) override;
  // Shows the setup's values again (without reporting a change).
  void Refresh() override;
  void SetFocus() override;

  const std::shared_ptr<CPlugInSetup>& Setup_get() const { return m_setup; }
  // The index of the tab page shown.
  int32_t TabIndex_get() const { return m_tabIndex; }

 private:
  void build();
  void fill();
  void nomenclatureChosen(int32_t index);
  void delayTyped();
  void tabClicked();
  void reportChange();

  platform::forms::Form m_form{ClassName};
  std::shared_ptr<CPlugInSetup> m_setup;
  std::shared_ptr<host_api::ICallback> m_callback;
  bool m_loading = false;
  bool m_locked = false;
  int32_t m_tabIndex = 0;
};

}  // namespace plugin
