#pragma once

#include "platform/PlatformExport.h"

#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform::forms {

// A drop-down list: the operator picks one of its items. Picking fires Click and Change.
class ORVEL_PLATFORM_API ComboBox : public Control {
 public:
  using Control::Control;
  const char* kind() const override;
  bool canFocus() const override { return true; }

  void addItem(std::string item);
  void clear();
  int32_t ListCount_get() const { return static_cast<int32_t>(m_items.size()); }
  const std::string& List_get(int32_t index) const;
  // -1: nothing picked.
  int32_t ListIndex_get() const { return m_listIndex; }
  void ListIndex_let(int32_t index);
  // The picked item's text, empty when nothing is picked.
  std::string Text_get() const;

  bool chooseItem(const std::string& text) override;
  std::vector<std::string> visibleTexts() const override;

 private:
  std::vector<std::string> m_items;
  int32_t m_listIndex = -1;
};

}  // namespace platform::forms
