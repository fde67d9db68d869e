#include "host/HostTestInformation.h"

namespace host {

void HostTestInformation::SetType(const std::string& type, const std::string& parameter) {
  m_type = type;
  m_parameter = parameter;
}

std::shared_ptr<host_api::ITestInformation> HostTestInformation::Clone() const {
  return std::make_shared<HostTestInformation>(*this);
}

void HostTestInformation::Load(const host_api::IXmlElement& element) {
  auto info = element.findChild("Info");
  if (!info) return;
  m_type = info->getAttribute("Type").value_or("");
  m_parameter = info->getAttribute("Parameter").value_or("");
  m_name = info->getAttribute("Name").value_or("");
  auto description = info->findChild("Description");
  m_description = description ? description->text() : "";
}

std::shared_ptr<host_api::IXmlElement> HostTestInformation::Save(
    host_api::IXmlElement& owner) const {
  auto info = owner.appendNewChild("Info");
  info->setAttribute("Type", m_type);
  info->setAttribute("Parameter", m_parameter);
  info->setAttribute("Name", m_name);
  if (!m_description.empty()) info->appendNewChild("Description")->setText(m_description);
  return info;
}

}  // namespace host
