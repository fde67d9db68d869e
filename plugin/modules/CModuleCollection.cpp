#include "plugin/modules/CModuleCollection.h"

#include "platform/ComError.h"

namespace plugin {

namespace {
constexpr int32_t errKeyTaken = 457;
}

std::string CModuleCollection::KeyOf(int32_t moduleId) { return std::to_string(moduleId); }

std::shared_ptr<CModuleEntry> CModuleCollection::At(int32_t position) const {
  if (position < 1 || position > Count()) return nullptr;
  return m_slots[static_cast<size_t>(position - 1)].entry;
}

std::shared_ptr<CModuleEntry> CModuleCollection::Find(const std::string& key) const {
  auto position = PositionOf(key);
  return position ? At(*position) : nullptr;
}

std::optional<int32_t> CModuleCollection::PositionOf(const std::string& key) const {
  for (size_t i = 0; i < m_slots.size(); ++i) {
    if (m_slots[i].key == key) return static_cast<int32_t>(i) + 1;
  }
  return std::nullopt;
}

void CModuleCollection::RequireFree(const std::string& key) const {
  if (Contains(key)) {
    throw platform::ComError(errKeyTaken, "CModuleCollection",
                             "A module with the ID " + key + " is already in the collection");
  }
}

void CModuleCollection::Add(const std::string& key, const std::shared_ptr<CModuleEntry>& entry,
                            std::optional<int32_t> before) {
  if (!entry) {
    throw platform::ComError(platform::RuntimeError::ObjectRequired, "CModuleCollection",
                             "No module to add");
  }
  RequireFree(key);
  auto at = m_slots.end();
  if (before && *before >= 1 && *before <= Count()) at = m_slots.begin() + (*before - 1);
  m_slots.insert(at, Slot{key, entry});
}

std::shared_ptr<CModuleEntry> CModuleCollection::Remove(const std::string& key) {
  auto position = PositionOf(key);
  return position ? RemoveAt(*position) : nullptr;
}

std::shared_ptr<CModuleEntry> CModuleCollection::RemoveAt(int32_t position) {
  if (position < 1 || position > Count()) return nullptr;
  auto it = m_slots.begin() + (position - 1);
  auto entry = it->entry;
  m_slots.erase(it);
  return entry;
}

CModuleCollection::Entries CModuleCollection::entries() const {
  Entries result;
  result.reserve(m_slots.size());
  for (const auto& slot : m_slots) result.push_back(slot.entry);
  return result;
}

}  // namespace plugin
