#pragma once

#include "platform/PlatformExport.h"

#include <any>
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

// What a cell after the first carries besides its text (which stays in ListItem::subItems, so
// that screens read every row the same way).
struct ORVEL_PLATFORM_API ListCell {
  std::string toolTip;
  std::any data;  // whatever the list's owner keeps with the cell
};

struct ORVEL_PLATFORM_API ListItem {
  std::string key;
  std::string text;
  std::vector<std::string> subItems;  // the cells of the columns after the first
  std::string tag;
  std::string toolTip;
  bool bold = false;
  int32_t foreColor = kDefaultColour;
  std::any data;                // whatever the list's owner keeps with the row (an object)
  std::vector<ListCell> cells;  // beside subItems, by the same index; may be shorter

  // Sets the text of cell `index` (0: the column after the first), growing the row as needed.
  void setSubItem(size_t index, std::string text);
  // The text of cell `index`; empty for a cell the row does not have.
  const std::string& subItem(size_t index) const;
  // The extras of cell `index`, grown as needed.
  ListCell& cell(size_t index);
  // The extras of cell `index`; null for a cell the row does not have.
  const ListCell* findCell(size_t index) const;
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
  // Inserts an item before `position` (0-based; at the end when past the last item). The
  // selection stays on the item it was on.
  ListItem& insertItem(size_t position, std::string key, std::string text);
  // The position of the item with `key`; -1 when there is none. Keys compare exactly.
  int32_t indexOf(const std::string& key) const;
  void clearItems();
  const std::deque<ListItem>& items() const { return m_items; }
  ListItem& item(size_t index) { return m_items.at(index); }
  // -1: none selected.
  int32_t SelectedIndex_get() const { return m_selected; }
  void SelectedIndex_let(int32_t index);
  // The item a screen must keep in sight (scrolled to); -1 for none.
  int32_t VisibleIndex_get() const { return m_visibleIndex; }
  // Scrolls `index` into view; an index outside the items throws ComError 380.
  void EnsureVisible(int32_t index);

  void onItemClick(std::function<void(ListItem&)> handler) {
    m_itemClick.connect(std::move(handler));
  }
  // Mouse button (1 left, 2 right), shift state and position within the list.
  void onMouseDown(std::function<void(int button, int shift, int x, int y)> handler) {
    m_mouseDown.connect(std::move(handler));
  }
  // The operator pressed a mouse button on the list; refused when it is not available.
  bool mouseDown(int button, int shift, int x, int y);

  // Selects the item with that key or text and fires ItemClick.
  bool chooseItem(const std::string& keyOrText) override;
  std::vector<std::string> visibleTexts() const override;
  void translateCaptions(const Translator& translate) override;

 private:
  std::vector<ListColumn> m_columns;
  std::deque<ListItem> m_items;
  int32_t m_selected = -1;
  int32_t m_visibleIndex = -1;
  Event<ListItem&> m_itemClick;
  Event<int, int, int, int> m_mouseDown;
};

}  // namespace platform::forms
