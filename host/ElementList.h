#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host_api/ITestElement.h"

namespace host {

// The ordered children of a container (a template, a group's core), each with the ProgID it
// was created under when that is known, and the rules of placing and finding them.
class ElementList {
 public:
  struct Entry {
    std::shared_ptr<host_api::ITestElement> element;
    std::string progId;
  };

  int32_t count() const { return static_cast<int32_t>(m_entries.size()); }
  // 1-based; null outside.
  std::shared_ptr<host_api::ITestElement> item(int32_t index) const;
  // Places `child` as `relation` says (InsertRelation). A null child or an unknown relation is
  // ComError 5, a child held already ComError 5 too (it would run and be saved twice), a
  // relative not held ElementError::NoSuchRelative.
  void add(const std::shared_ptr<host_api::ITestElement>& child,
           const std::shared_ptr<host_api::ITestElement>& relative, int32_t relation,
           std::string progId = {});
  // ElementError::NoSuchChild when `child` is not held; a null child is ignored.
  void remove(const std::shared_ptr<host_api::ITestElement>& child);
  void clear() { m_entries.clear(); }
  // The first element, depth first through children that are containers, with that TestID.
  std::shared_ptr<host_api::ITestElement> find(int32_t testId) const;
  std::vector<std::shared_ptr<host_api::ITestElement>> elements() const;
  const std::vector<Entry>& entries() const { return m_entries; }

  // The ProgID to write for `entry`: the one it was created under, else "orvel<plug-in id>.
  // <class name>" when that is registered; empty when neither is known.
  static std::string progIdOf(const Entry& entry);

 private:
  std::vector<Entry>::const_iterator position(const host_api::ITestElement* element) const;

  std::vector<Entry> m_entries;
};

}  // namespace host
