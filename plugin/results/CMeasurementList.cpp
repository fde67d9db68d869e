#include "plugin/results/CMeasurementList.h"

#include <limits>

#include "plugin/results/MReadingOrder.h"

namespace plugin {

namespace {

// Room between the labels of neighbours: about 2^32 inserts at the end, and 32 inserts at one
// place in the middle, before the labels are spread out again.
constexpr uint64_t Spacing = uint64_t{1} << 32;

}  // namespace

std::shared_ptr<CMeasurement> CMeasurementList::At(int32_t position) const {
  if (position < 1 || position > Count()) return nullptr;
  buildOrder();
  return m_entries.at(m_order[static_cast<size_t>(position - 1)]).m;
}

std::shared_ptr<CMeasurement> CMeasurementList::Find(const std::string& key) const {
  auto it = m_labels.find(key);
  return it == m_labels.end() ? nullptr : m_entries.at(it->second).m;
}

std::shared_ptr<CMeasurement> CMeasurementList::Last() const {
  return m_entries.empty() ? nullptr : m_entries.rbegin()->second.m;
}

std::vector<std::shared_ptr<CMeasurement>> CMeasurementList::Entries() const {
  std::vector<std::shared_ptr<CMeasurement>> entries;
  entries.reserve(m_entries.size());
  for (const auto& [label, entry] : m_entries) entries.push_back(entry.m);
  return entries;
}

bool CMeasurementList::Insert(const std::string& key, const std::shared_ptr<CMeasurement>& m,
                              const std::string& afterKey) {
  if (!m) return false;
  auto [held, isNew] = m_labels.try_emplace(key, 0);
  if (!isNew) return false;
  std::optional<Label> label = labelAfter(afterKey);
  if (!label) {
    relabel();
    label = labelAfter(afterKey);
  }
  held->second = *label;
  const bool atEnd = m_entries.empty() || *label > m_entries.rbegin()->first;
  m_entries.emplace_hint(atEnd ? m_entries.end() : m_entries.upper_bound(*label), *label,
                         Entry{key, m});
  if (atEnd && m_orderValid) {
    m_positions.emplace(*label, static_cast<int32_t>(m_order.size()) + 1);
    m_order.push_back(*label);
  } else {
    m_orderValid = false;
  }
  noteExtremes(*label, *m);
  return true;
}

// A free label directly after `afterKey` (at the end when it is empty or not held); nothing
// when its neighbours leave no room.
std::optional<CMeasurementList::Label> CMeasurementList::labelAfter(const std::string& afterKey) {
  auto held = afterKey.empty() ? m_labels.end() : m_labels.find(afterKey);
  const Label before = held != m_labels.end() ? held->second
                       : m_entries.empty()    ? 0
                                              : m_entries.rbegin()->first;
  auto next = m_entries.upper_bound(before);
  if (next == m_entries.end()) {
    if (before > std::numeric_limits<Label>::max() - Spacing) return std::nullopt;
    return before + Spacing;
  }
  if (next->first - before < 2) return std::nullopt;
  return before + (next->first - before) / 2;
}

void CMeasurementList::relabel() {
  std::map<Label, Entry> spread;
  Extreme max = m_max, min = m_min;
  Label label = 0;
  for (auto& [old, entry] : m_entries) {
    label += Spacing;
    if (m_max.m && m_max.label == old) max.label = label;
    if (m_min.m && m_min.label == old) min.label = label;
    m_labels[entry.key] = label;
    spread.emplace_hint(spread.end(), label, std::move(entry));
  }
  m_entries = std::move(spread);
  m_max = max;
  m_min = min;
  m_orderValid = false;
}

// A new entry becomes the greatest when it is above the greatest so far, or equal to it and
// later in the collection; likewise the smallest.
void CMeasurementList::noteExtremes(Label label, const CMeasurement& m) {
  const auto& value = m.StoredValue();
  auto note = [&](Extreme& held, int wanted) {
    const int order = held.m ? MReadingOrder::Compare(value, held.m->StoredValue()) : wanted;
    if (order == wanted || (order == 0 && label > held.label)) held = {label, &m};
  };
  note(m_max, 1);
  note(m_min, -1);
}

void CMeasurementList::RecomputeExtremes() {
  m_max = {};
  m_min = {};
  for (const auto& [label, entry] : m_entries) noteExtremes(label, *entry.m);
}

void CMeasurementList::Clear() {
  m_entries.clear();
  m_labels.clear();
  m_max = {};
  m_min = {};
  m_order.clear();
  m_positions.clear();
  m_orderValid = true;
}

std::shared_ptr<CMeasurement> CMeasurementList::entryAt(const Extreme& extreme) const {
  return extreme.m ? m_entries.at(extreme.label).m : nullptr;
}

int32_t CMeasurementList::positionOf(const Extreme& extreme) const {
  if (!extreme.m) return 0;
  buildOrder();
  return m_positions.at(extreme.label);
}

void CMeasurementList::buildOrder() const {
  if (m_orderValid) return;
  m_order.clear();
  m_positions.clear();
  m_order.reserve(m_entries.size());
  for (const auto& [label, entry] : m_entries) {
    m_order.push_back(label);
    m_positions.emplace(label, static_cast<int32_t>(m_order.size()));
  }
  m_orderValid = true;
}

}  // namespace plugin
