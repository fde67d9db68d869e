#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host_api/ICustomControl.h"
#include "host_api/ILimitData.h"
#include "host_api/ILimitEditor.h"
#include "platform/forms/Form.h"

namespace host {

// The host's limit editor control ("OrvelView.XLimitView"): a list of the limit keys a plug-in
// gives as rows, with the limits of every standard of the limit data it is handed.
//
// It is both a control of a dialog and a limit editor, and each interface has its own
// platform::Object base. Always hand it out as its ICustomControl side (create() does): from
// there std::dynamic_pointer_cast reaches the ILimitEditor side, while from an ambiguous
// platform::Object it could not.
class HostLimitView : public host_api::ICustomControl, public host_api::ILimitEditor {
 public:
  static constexpr const char* kProgId = "OrvelView.XLimitView";

  struct Row {
    std::string key;
    std::string description;
    std::string unit;
    std::string note;
  };

  HostLimitView();
  // A new view as the component registry hands objects out.
  static std::shared_ptr<platform::Object> create();

  // ICustomControl
  std::shared_ptr<host_api::ICallback> CallBack_get() const override { return m_callback; }
  void CallBack_set(const std::shared_ptr<host_api::ICallback>& callback) override;
  platform::forms::Form* hWnd_get() override { return &m_form; }
  bool Visible_get() const override { return m_visible; }
  void Visible_let(bool visible) override { m_visible = visible; }
  bool Locked_get() const override { return m_locked; }
  void Locked_let(bool locked) override;
  // `data` is the limit data to show, as SetLimitData takes it.
  void Initialize(const platform::Variant& data) override;
  void Refresh() override;
  void SetFocus() override;

  // ILimitEditor
  void AddRow(const std::string& key, const std::string& description, std::string& unit,
              const std::string& note) override;
  void ClearRows() override;
  void SetLimitData(const platform::Variant& limitData, int32_t flags) override;

  const std::vector<Row>& rows() const { return m_rows; }
  const std::shared_ptr<host_api::ILimitData>& limitData() const { return m_limitData; }
  int32_t flags() const { return m_flags; }
  // The limits of `standard` under `key` as shown: "2 .. 10", "<= 10", ">= 2" or "".
  static std::string limitText(const host_api::ILimitStandard& standard, const std::string& key);

 private:
  void fillList();
  std::vector<std::shared_ptr<host_api::ILimitStandard>> standards() const;

  platform::forms::Form m_form{"XLimitView"};
  std::shared_ptr<host_api::ICallback> m_callback;
  std::shared_ptr<host_api::ILimitData> m_limitData;
  std::vector<Row> m_rows;
  int32_t m_flags = 0;
  bool m_visible = true;
  bool m_locked = false;
};

}  // namespace host
