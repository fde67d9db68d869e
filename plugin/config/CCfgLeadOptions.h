#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace plugin {

class CPropertyTable;

// Which patient leads a lead-to-lead test uses: each lead against all others, or specific
// leads from one set to another, and what the unused leads are connected to. Stored as
// "LeadOptions" with the children "Usage", "From" and "To".
class CCfgLeadOptions : public platform::Object {
 public:
  static constexpr const char* Tag = "LeadOptions";
  static constexpr size_t LeadCount = 5;
  // The analyzer's lead sockets in index order; also the attribute names of "From" and "To".
  static constexpr std::array<const char*, LeadCount> LeadNames{"RA", "LL", "LA", "RL", "V1"};
  using Leads = std::array<bool, LeadCount>;

  bool LeadsUseAll_get() const { return m_useAll; }
  void LeadsUseAll_let(bool value) { m_useAll = value; }
  bool LeadsUseSpecific_get() const { return m_useSpecific; }
  void LeadsUseSpecific_let(bool value) { m_useSpecific = value; }
  const Leads& LeadsUseFrom_get() const { return m_from; }
  void LeadsUseFrom_let(const Leads& value) { m_from = value; }
  const Leads& LeadsUseTo_get() const { return m_to; }
  void LeadsUseTo_let(const Leads& value) { m_to = value; }
  int32_t LeadsUseUnused_get() const { return m_unused; }
  void LeadsUseUnused_let(int32_t value) { m_unused = value; }

  // Adds the record's settings to `table`, bound to this record, for the host to read and set
  // by name.
  void DescribeProperties(CPropertyTable& table);

  std::shared_ptr<CCfgLeadOptions> Clone() const;
  void Load(const host_api::IXmlElement& element);
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const;

 private:
  bool m_useAll = true;
  bool m_useSpecific = false;
  Leads m_from{};
  Leads m_to{};
  int32_t m_unused = 0;
};

}  // namespace plugin
