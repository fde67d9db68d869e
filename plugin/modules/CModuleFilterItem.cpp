#include "plugin/modules/CModuleFilterItem.h"

namespace plugin {

CModuleFilterItem::~CModuleFilterItem() = default;

void CModuleFilterItem::Load(const host_api::IXmlElement& element) {
  m_name.clear();
  m_value.clear();
  if (element.tagName() != "FilterItem") return;
  m_name = element.getAttribute("Name").value_or("");
  m_value = element.text();
}

std::shared_ptr<host_api::IXmlElement> CModuleFilterItem::Save(host_api::IXmlElement& owner) const {
  if (m_name.empty()) return nullptr;
  auto element = owner.appendNewChild("FilterItem");
  element->setAttribute("Name", m_name);
  element->setText(m_value);
  return element;
}

}  // namespace plugin
