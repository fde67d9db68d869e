#include "plugin/config/CCfgLeadOptions.h"

#include <algorithm>
#include <string>
#include <vector>

#include "plugin/config/MConfigXml.h"
#include "plugin/config/MOptionChoices.h"
#include "plugin/core/CPropertyTable.h"
#include "plugin/core/MXmlUtils.h"

namespace plugin {

namespace {
void readLeads(const host_api::IXmlElement* element, CCfgLeadOptions::Leads& leads) {
  for (size_t i = 0; i < leads.size(); ++i) {
    leads[i] = MConfigXml::ReadBoolean(element, CCfgLeadOptions::LeadNames[i]);
  }
}

void writeLeads(host_api::IXmlElement& element, const CCfgLeadOptions::Leads& leads) {
  for (size_t i = 0; i < leads.size(); ++i) {
    MXmlUtils::WriteBoolean(element, CCfgLeadOptions::LeadNames[i], leads[i]);
  }
}
}  // namespace

std::shared_ptr<CCfgLeadOptions> CCfgLeadOptions::Clone() const {
  return std::make_shared<CCfgLeadOptions>(*this);
}

void CCfgLeadOptions::Load(const host_api::IXmlElement& element) {
  const auto usage = element.findChild("Usage");
  m_useAll = MConfigXml::ReadBoolean(usage.get(), "All");
  m_useSpecific = MConfigXml::ReadBoolean(usage.get(), "Specific");
  m_unused = MConfigXml::ReadInteger(usage.get(), "Unused", 0);
  readLeads(element.findChild("From").get(), m_from);
  readLeads(element.findChild("To").get(), m_to);
}

std::shared_ptr<host_api::IXmlElement> CCfgLeadOptions::Save(host_api::IXmlElement& owner) const {
  auto element = MConfigXml::AppendRecordElement(owner, Tag, "CCfgLeadOptions");
  auto usage = element->appendNewChild("Usage");
  MXmlUtils::WriteBoolean(*usage, "All", m_useAll);
  MXmlUtils::WriteBoolean(*usage, "Specific", m_useSpecific);
  MXmlUtils::WriteInteger(*usage, "Unused", m_unused);
  writeLeads(*element->appendNewChild("From"), m_from);
  writeLeads(*element->appendNewChild("To"), m_to);
  return element;
}

void CCfgLeadOptions::DescribeProperties(CPropertyTable& table) {
  using R = CCfgLeadOptions;
  table.Boolean("LeadsUseAll", *this, &R::LeadsUseAll_get, &R::LeadsUseAll_let);
  table.Boolean("LeadsUseSpecific", *this, &R::LeadsUseSpecific_get, &R::LeadsUseSpecific_let);
  const std::vector<std::string> names(LeadNames.begin(), LeadNames.end());
  table.AddFlags(
      "LeadsUseFrom", names, [this] { return std::vector<bool>(m_from.begin(), m_from.end()); },
      [this](const std::vector<bool>& flags) {
        std::copy(flags.begin(), flags.end(), m_from.begin());
      });
  table.AddFlags(
      "LeadsUseTo", names, [this] { return std::vector<bool>(m_to.begin(), m_to.end()); },
      [this](const std::vector<bool>& flags) {
        std::copy(flags.begin(), flags.end(), m_to.begin());
      });
  table.Choice("LeadsUseUnused", MOptionChoices::AppliedParts(), *this, &R::LeadsUseUnused_get,
               &R::LeadsUseUnused_let);
}

}  // namespace plugin
