#include "plugin/config/CCfgLeadOptions.h"

#include "plugin/config/MConfigXml.h"
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

}  // namespace plugin
