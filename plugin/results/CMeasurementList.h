#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "plugin/results/CMeasurement.h"

namespace plugin {

// The measurements of a result: unique keys, in insertion order, with inserts directly after a
// given key, and the positions of the greatest and the smallest reading (MReadingOrder; on ties
// the later entry). A multi test adds thousands of readings, many after a key in the middle,
// and the host walks them by position, so every step stays cheap: lookups by key are constant
// time, an insert is logarithmic, and the positions are rebuilt once after inserts in the middle,
// not per access.
class CMeasurementList {
 public:
  int32_t Count() const { return static_cast<int32_t>(m_entries.size()); }
  bool Empty() const { return m_entries.empty(); }
  // 1-based; null outside.
  std::shared_ptr<CMeasurement> At(int32_t position) const;
  std::shared_ptr<CMeasurement> Find(const std::string& key) const;
  std::shared_ptr<CMeasurement> Last() const;
  // Every entry in order.
  std::vector<std::shared_ptr<CMeasurement>> Entries() const;

  // Adds `m` under `key` directly after the entry `afterKey`, or at the end when `afterKey` is
  // empty or not held. False (nothing added) when `key` is held already.
  bool Insert(const std::string& key, const std::shared_ptr<CMeasurement>& m,
              const std::string& afterKey = {});
  void Clear();

  // Positions from 1 of the greatest and the smallest reading; 0 when empty.
  int32_t MaxIndex() const { return positionOf(m_max); }
  int32_t MinIndex() const { return positionOf(m_min); }
  std::shared_ptr<CMeasurement> Max() const { return entryAt(m_max); }
  std::shared_ptr<CMeasurement> Min() const { return entryAt(m_min); }
  // Finds both extremes again over all entries (after a reading changed its value).
  void RecomputeExtremes();

 private:
  using Label = uint64_t;
  struct Entry {
    std::string key;
    std::shared_ptr<CMeasurement> m;
  };
  // The greatest or smallest entry: its label, and its reading (none when the list is empty).
  struct Extreme {
    Label label = 0;
    const CMeasurement* m = nullptr;
  };

  std::optional<Label> labelAfter(const std::string& afterKey);
  void relabel();
  void noteExtremes(Label label, const CMeasurement& m);
  std::shared_ptr<CMeasurement> entryAt(const Extreme& extreme) const;
  int32_t positionOf(const Extreme& extreme) const;
  void buildOrder() const;

  // Entries by a label that sorts in collection order; inserts take a label between two
  // neighbours and the labels are spread out again when no free label is left between them.
  std::map<Label, Entry> m_entries;
  std::unordered_map<std::string, Label> m_labels;
  Extreme m_max, m_min;
  // Labels in order and the position of each, built when first asked for after a change.
  mutable std::vector<Label> m_order;
  mutable std::unordered_map<Label, int32_t> m_positions;
  mutable bool m_orderValid = true;
};

}  // namespace plugin
