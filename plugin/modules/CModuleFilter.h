#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Object.h"
#include "plugin/modules/CModuleFilterItem.h"

namespace plugin {

// Which modules a test takes: those whose descriptive fields match at least one item. Slots are
// 1-based and may be empty after a Remove without rearranging; an empty slot matches nothing.
class CModuleFilter : public platform::Object {
 public:
  static constexpr const char* ClassName = "CModuleFilter";

  ~CModuleFilter() override;

  // Slots, empty ones included.
  int32_t Count_get() const { return static_cast<int32_t>(m_items.size()); }
  // Appends, or inserts at `index` (1-based) and moves the items from there one place up.
  void Add(const std::string& name, const std::string& value, int32_t index = 0);
  // Empties the slot at `index`; with `reArrange` also closes the gap.
  void Remove(int32_t index, bool reArrange);
  // Closes every empty slot, keeping the order.
  void ReArrange();
  std::shared_ptr<CModuleFilter> Clone() const;
  // The item at `index` (1-based); null out of range or for an empty slot.
  std::shared_ptr<CModuleFilterItem> Item(int32_t index) const;
  // True when no slot holds an item: such a filter lets every module pass.
  bool IsEmpty() const;

 private:
  std::vector<std::shared_ptr<CModuleFilterItem>> m_items;
};

}  // namespace plugin
