#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "plugin/modules/CModuleEntry.h"

namespace plugin {

// The ordered, keyed list behind a setup and a group: entries in display order, each under the
// decimal text of its module id. Keys are unique; adding a key that is taken fails rather than
// replacing or hiding the entry that has it.
class CModuleCollection {
 public:
  using Entries = std::vector<std::shared_ptr<CModuleEntry>>;

  static std::string KeyOf(int32_t moduleId);

  int32_t Count() const { return static_cast<int32_t>(m_slots.size()); }
  // 1-based; null out of range.
  std::shared_ptr<CModuleEntry> At(int32_t position) const;
  std::shared_ptr<CModuleEntry> Find(const std::string& key) const;
  // 1-based position of the key, or nothing.
  std::optional<int32_t> PositionOf(const std::string& key) const;
  bool Contains(const std::string& key) const { return PositionOf(key).has_value(); }
  // Throws platform::ComError 457 when `key` is taken.
  void RequireFree(const std::string& key) const;

  // Appends `entry` under `key`, or inserts it before the entry at `before` (1-based). A taken
  // key throws platform::ComError 457.
  void Add(const std::string& key, const std::shared_ptr<CModuleEntry>& entry,
           std::optional<int32_t> before = std::nullopt);
  // Removes and returns the entry; null when there is none.
  std::shared_ptr<CModuleEntry> Remove(const std::string& key);
  std::shared_ptr<CModuleEntry> RemoveAt(int32_t position);

  Entries entries() const;

 private:
  struct Slot {
    std::string key;
    std::shared_ptr<CModuleEntry> entry;
  };
  std::vector<Slot> m_slots;
};

}  // namespace plugin
