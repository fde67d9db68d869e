#include "plugin/modules/CModuleFilter.h"

#include <algorithm>

namespace plugin {

CModuleFilter::~CModuleFilter() = default;

void CModuleFilter::Add(const std::string& name, const std::string& value, int32_t index) {
  auto item = std::make_shared<CModuleFilterItem>();
  item->Name_let(name);
  item->Value_let(value);
  auto at = m_items.end();
  if (index >= 1 && index <= Count_get()) at = m_items.begin() + (index - 1);
  m_items.insert(at, item);
}

void CModuleFilter::Remove(int32_t index, bool reArrange) {
  if (index < 1 || index > Count_get()) return;
  auto at = m_items.begin() + (index - 1);
  if (reArrange) {
    m_items.erase(at);
  } else {
    at->reset();
  }
}

void CModuleFilter::ReArrange() {
  std::erase(m_items, nullptr);
  m_items.shrink_to_fit();
}

std::shared_ptr<CModuleFilter> CModuleFilter::Clone() const {
  auto copy = std::make_shared<CModuleFilter>();
  for (const auto& item : m_items) {
    if (item) copy->Add(item->Name_get(), item->Value_get());
  }
  return copy;
}

std::shared_ptr<CModuleFilterItem> CModuleFilter::Item(int32_t index) const {
  if (index < 1 || index > Count_get()) return nullptr;
  return m_items[static_cast<size_t>(index - 1)];
}

bool CModuleFilter::IsEmpty() const {
  return std::none_of(m_items.begin(), m_items.end(), [](const auto& item) { return !!item; });
}

}  // namespace plugin
