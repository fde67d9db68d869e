#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host_api/IStandards.h"

namespace host {

// Limit standards in order, unique by (standard id, class name).
//
// XML (Save appends "Standards" to the owner; Load takes any element name, since a limit data
// renames it for its place):
//   <Standards>
//     <Standard ID="4" Class="I" Flag="1">
//       <Limit Key="::CF_AC" Unit="µA" High="10" Low=""/>
//     </Standard>
//   </Standards>
// "ID" is required; "Class" and "Low"/"High" may be absent or empty (no such limit); "Flag"
// defaults to 1. Load skips, and writes to the log, a standard without a readable "ID", a limit
// without "Key" and a limit whose value is not a number. A standard met twice keeps the later
// one, as Add does. When there were standards but none could be read, Load throws: an element
// that silently lost all its limits would pass every reading.
class HostStandards : public host_api::IStandards {
 public:
  int32_t Count() const override { return static_cast<int32_t>(m_standards.size()); }
  std::shared_ptr<host_api::ILimitStandard> Item(int32_t position) const override;
  std::shared_ptr<host_api::ILimitStandard> Find(int32_t kind, int32_t standardId,
                                                 const std::string& className) const override;
  // Replaces a standard with the same id and class in its place; a null standard is ignored.
  void Add(const std::shared_ptr<host_api::ILimitStandard>& standard) override;
  void Remove(int32_t standardId, const std::string& className) override;
  void Clear() override { m_standards.clear(); }
  std::shared_ptr<host_api::IStandards> Copy() const override;

  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;

 private:
  using List = std::vector<std::shared_ptr<host_api::ILimitStandard>>;
  List::const_iterator position(int32_t standardId, const std::string& className) const;

  List m_standards;
};

}  // namespace host
