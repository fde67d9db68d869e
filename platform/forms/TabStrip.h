#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform::forms {

struct ORVEL_PLATFORM_API Tab {
  std::string key;
  std::string caption;
};

// Tabs of which one is selected; selecting another fires Click.
class ORVEL_PLATFORM_API TabStrip : public Control {
 public:
  using Control::Control;
  const char* kind() const override;
  bool canFocus() const override { return true; }

  void addTab(std::string key, std::string caption);
  const std::vector<Tab>& tabs() const { return m_tabs; }
  // -1 only while there is no tab.
  int32_t SelectedIndex_get() const { return m_selected; }
  void SelectedIndex_let(int32_t index);

  bool chooseItem(const std::string& keyOrCaption) override;
  std::vector<std::string> visibleTexts() const override;
  void translateCaptions(const Translator& translate) override;

 private:
  std::vector<Tab> m_tabs;
  int32_t m_selected = -1;
};

}  // namespace platform::forms
