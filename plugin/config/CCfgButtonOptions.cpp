#include "plugin/config/CCfgButtonOptions.h"

#include "plugin/config/MConfigXml.h"
#include "plugin/config/MOptionChoices.h"
#include "plugin/core/CPropertyTable.h"
#include "plugin/core/MXmlUtils.h"

namespace plugin {

std::shared_ptr<CCfgButtonOptions> CCfgButtonOptions::Clone() const {
  return std::make_shared<CCfgButtonOptions>(*this);
}

void CCfgButtonOptions::Load(const host_api::IXmlElement& element) {
  m_enableSkip = MXmlUtils::ReadBoolean(element, "Skip");
  m_enableNA = MXmlUtils::ReadBoolean(element, "NA");
  m_enableStep = MXmlUtils::ReadBoolean(element, "Step");
}

std::shared_ptr<host_api::IXmlElement> CCfgButtonOptions::Save(host_api::IXmlElement& owner) const {
  auto element = MConfigXml::AppendRecordElement(owner, Tag, "CCfgButtonOptions");
  MXmlUtils::WriteBoolean(*element, "Skip", m_enableSkip);
  MXmlUtils::WriteBoolean(*element, "NA", m_enableNA);
  MXmlUtils::WriteBoolean(*element, "Step", m_enableStep);
  return element;
}

void CCfgButtonOptions::DescribeProperties(CPropertyTable& table) {
  using R = CCfgButtonOptions;
  table.Boolean("EnableSkip", *this, &R::EnableSkip_get, &R::EnableSkip_let);
  table.Boolean("EnableNA", *this, &R::EnableNA_get, &R::EnableNA_let);
  table.Boolean("EnableStep", *this, &R::EnableStep_get, &R::EnableStep_let);
}

}  // namespace plugin
