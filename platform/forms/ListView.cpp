#include "platform/forms/ListView.h"

#include "platform/ComError.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/ItemMatch.h"

namespace platform::forms {

const char* ListView::kind() const { return "ListView"; }

namespace {
std::string joinCells(const std::string& first, const std::vector<std::string>& rest) {
  std::string row = first;
  for (const auto& cell : rest) row += " | " + cell;
  return row;
}
}  // namespace

void ListView::addColumn(std::string key, std::string title, int32_t width) {
  m_columns.push_back({std::move(key), std::move(title), width > 0 ? width : 1});
  changed();
}

ListItem& ListView::addItem(std::string key, std::string text, std::vector<std::string> subItems) {
  ListItem& item = m_items.emplace_back();
  item.key = std::move(key);
  item.text = std::move(text);
  item.subItems = std::move(subItems);
  changed();
  return item;
}

void ListItem::setSubItem(size_t index, std::string text) {
  if (subItems.size() <= index) subItems.resize(index + 1);
  subItems[index] = std::move(text);
}

const std::string& ListItem::subItem(size_t index) const {
  static const std::string none;
  return index < subItems.size() ? subItems[index] : none;
}

ListCell& ListItem::cell(size_t index) {
  if (cells.size() <= index) cells.resize(index + 1);
  return cells[index];
}

const ListCell* ListItem::findCell(size_t index) const {
  return index < cells.size() ? &cells[index] : nullptr;
}

ListItem& ListView::insertItem(size_t position, std::string key, std::string text) {
  if (position >= m_items.size()) return addItem(std::move(key), std::move(text));
  auto at = m_items.emplace(m_items.begin() + static_cast<std::ptrdiff_t>(position));
  at->key = std::move(key);
  at->text = std::move(text);
  const auto inserted = static_cast<int32_t>(position);
  if (m_selected >= inserted) ++m_selected;
  if (m_visibleIndex >= inserted) ++m_visibleIndex;
  changed();
  return *at;
}

int32_t ListView::indexOf(const std::string& key) const {
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].key == key) return static_cast<int32_t>(i);
  }
  return -1;
}

void ListView::clearItems() {
  m_items.clear();
  m_selected = -1;
  m_visibleIndex = -1;
  changed();
}

void ListView::EnsureVisible(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(m_items.size())) {
    throw ComError(errInvalidPropertyValue, name(),
                   "No item " + std::to_string(index) + " in " + name());
  }
  m_visibleIndex = index;
  changed();
}

bool ListView::mouseDown(int button, int shift, int x, int y) {
  if (!available()) return false;
  m_mouseDown(button, shift, x, y);
  return true;
}

void ListView::SelectedIndex_let(int32_t index) {
  if (index < -1 || index >= static_cast<int32_t>(m_items.size())) {
    throw ComError(errInvalidPropertyValue, name(),
                   "No item " + std::to_string(index) + " in " + name());
  }
  m_selected = index;
  fireChange();
  changed();
}

bool ListView::chooseItem(const std::string& keyOrText) {
  if (!available()) return false;
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (!matchesItem(m_items[i].key, m_items[i].text, keyOrText)) continue;
    SelectedIndex_let(static_cast<int32_t>(i));
    m_itemClick(m_items[i]);
    return true;
  }
  return false;
}

std::vector<std::string> ListView::visibleTexts() const {
  std::vector<std::string> texts;
  if (!m_columns.empty()) {
    std::vector<std::string> rest;
    for (size_t i = 1; i < m_columns.size(); ++i) rest.push_back(m_columns[i].title);
    texts.push_back(joinCells(m_columns[0].title, rest));
  }
  for (const auto& item : m_items) texts.push_back(joinCells(item.text, item.subItems));
  return texts;
}

void ListView::translateCaptions(const Translator& translate) {
  Control::translateCaptions(translate);
  for (auto& column : m_columns) column.title = translate(column.title);
  changed();
}

}  // namespace platform::forms
