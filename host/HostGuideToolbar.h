#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "host_api/IGuideToolbar.h"

namespace platform::forms {
class Label;
class Toolbar;
}  // namespace platform::forms

namespace host {

// The host's guide toolbar: a toolbar control with the guide's buttons keyed by their ids
// ("101", "202", ...) and a status line under it, on the plug-in's guide form.
class HostGuideToolbar : public host_api::IGuideToolbar {
 public:
  static constexpr const char* kToolbarName = "xtbGuide";
  static constexpr const char* kStatusName = "lblStatus";

  HostGuideToolbar();
  ~HostGuideToolbar() override;

  void Attach(platform::forms::Form& form) override;
  void TestRun_set(host_api::ITestRun* testRun) override { m_testRun = testRun; }
  void Owner_set(const std::shared_ptr<host_api::ITestElement>& owner) override;
  void AddCustomButton(int32_t id, const std::string& caption) override;

  host_api::GuideToolbarState State_get() const override { return m_state; }
  void State_let(host_api::GuideToolbarState state) override;
  bool ButtonEnabled_get(int32_t id) const override;
  void ButtonEnabled_let(int32_t id, bool enabled) override;
  bool ButtonClickable(int32_t id) const override;
  bool ButtonValue_get(int32_t id) const override;
  void ButtonValue_let(int32_t id, bool value) override;
  std::string StatusText_get() const override { return m_status; }
  void StatusText_let(const std::string& text) override;
  void onButtonClick(std::function<void(int32_t id)> handler) override;

  host_api::ITestRun* TestRun_get() const { return m_testRun; }

 private:
  struct ButtonState {
    bool offered = true;
    bool value = false;
  };

  void addButton(int32_t id, const std::string& caption);
  bool allowedInState(int32_t id) const;
  void refresh();
  void clicked(const std::string& key);
  platform::forms::Toolbar& toolbar() const;

  platform::forms::Toolbar* m_toolbar = nullptr;
  platform::forms::Label* m_statusLine = nullptr;
  host_api::ITestRun* m_testRun = nullptr;
  std::weak_ptr<host_api::ITestElement> m_owner;
  host_api::GuideToolbarState m_state = host_api::GuideToolbarState::Idle;
  std::map<int32_t, ButtonState> m_buttons;
  std::string m_status;
  std::function<void(int32_t)> m_handler;
};

}  // namespace host
