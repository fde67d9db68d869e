#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform::forms {

struct ORVEL_PLATFORM_API ListColumn {
  std::string key;
  std::string title;
  int32_t width = 10;  // in characters
};

struct ORVEL_PLATFORM_API ListItem {
  std::string key;
  std::string text;
  std::vector<std::string> subItems;  // the cells of the columns after the first
  std::string tag;
  std::string toolTip;
  bool bold = false;
  int32_t foreColor = kDefaultColour;
};

// A report-style list: titled columns and rows of items. Items edited directly through
// item() need Form::refresh() to be redrawn.
class ORVEL_PLATFORM_API ListView : public Control {
 public:
  using Control::Control;
  const char* kind() const override;
  bool canFocus() const override { return true; }

  void addColumn(std::string key, std::string title, int32_t width);
  const std::vector<ListColumn>& columns() const { return m_columns; }
  ListItem& addItem(std::string key, std::string text, std::vector<std::string> subItems = {});
  void clearItems();
  const std::deque<ListItem>& items() const { return m_items; }
  ListItem& item(size_t index) { return m_items.at(index); }
  // -1: none selected.
  int32_t SelectedIndex_get() const { return m_selected; }
  void SelectedIndex_let(int32_t index);

  void onItemClick(std::function<void(ListItem&)> handler) {
    m_itemClick.connect(std::move(handler));
  }

  // Selects the item with that key or text and fires ItemClick.
  bool chooseItem(const std::string& keyOrText) override;
  std::vector<std::string> visibleTexts() const override;
  void translateCaptions(const Translator& translate) override;

 private:
  std::vector<ListColumn> m_columns;
  std::deque<ListItem> m_items;
  int32_t m_selected = -1;
  Event<ListItem&> m_itemClick;
};

}  // namespace platform::forms
