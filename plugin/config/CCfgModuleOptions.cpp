#include "plugin/config/CCfgModuleOptions.h"

#include "plugin/config/MConfigXml.h"
#include "plugin/config/MOptionChoices.h"
#include "plugin/core/CPropertyTable.h"
#include "plugin/core/MXmlUtils.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/CModuleFilterItem.h"
#include "plugin/modules/CModuleSetup.h"

namespace plugin {

CCfgModuleOptions::CCfgModuleOptions()
    : m_filter(std::make_shared<CModuleFilter>()),
      m_moduleSetup(std::make_shared<CModuleSetup>()) {}

std::shared_ptr<CCfgModuleOptions> CCfgModuleOptions::Clone() const {
  auto copy = std::make_shared<CCfgModuleOptions>(*this);
  copy->m_filter = m_filter->Clone();
  copy->m_moduleSetup = m_moduleSetup->CloneSetup();
  return copy;
}

// Every child other than the module setup is taken as a filter item. One that is not an item
// (a child a person added by hand, a later format's extra) reads as an item without a name;
// it is left out, because an item that matches nothing would make the filter pass no module.
void CCfgModuleOptions::Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  *this = CCfgModuleOptions();
  m_testSeparately = MXmlUtils::ReadBoolean(element, "Sep");
  m_expandGroups = MXmlUtils::ReadBoolean(element, "Exp");
  m_stopAtNew = MXmlUtils::ReadBoolean(element, "Stop");
  m_overridePatientLead = MXmlUtils::ReadBoolean(element, "Override");
  std::shared_ptr<host_api::IXmlElement> setupElement;
  for (const auto& child : element.children()) {
    if (child->tagName() == MConfigXml::PlugInDataTag) {
      if (!setupElement) setupElement = child;
      continue;
    }
    CModuleFilterItem item;
    item.Load(*child);
    if (!item.Name_get().empty()) m_filter->Add(item.Name_get(), item.Value_get());
  }
  if (setupElement) {
    auto setup = std::make_shared<CModuleSetup>();
    setup->Load(*setupElement, log);  // a setup that fails to load raises, keeping the default
    m_moduleSetup = setup;
  }
}

std::shared_ptr<host_api::IXmlElement> CCfgModuleOptions::Save(host_api::IXmlElement& owner) const {
  auto element = MConfigXml::AppendRecordElement(owner, Tag, "CCfgModuleOptions");
  MXmlUtils::WriteBoolean(*element, "Sep", m_testSeparately);
  MXmlUtils::WriteBoolean(*element, "Exp", m_expandGroups);
  MXmlUtils::WriteBoolean(*element, "Stop", m_stopAtNew);
  MXmlUtils::WriteBoolean(*element, "Override", m_overridePatientLead);
  for (int32_t index = 1; index <= m_filter->Count_get(); ++index) {
    if (auto item = m_filter->Item(index)) item->Save(*element);
  }
  m_moduleSetup->Save(*element);
  return element;
}

void CCfgModuleOptions::DescribeProperties(CPropertyTable& table) {
  using R = CCfgModuleOptions;
  table.Boolean("TestSeparately", *this, &R::TestSeparately_get, &R::TestSeparately_let);
  table.Boolean("ExpandGroups", *this, &R::ExpandGroups_get, &R::ExpandGroups_let);
  table.Boolean("StopAtNew", *this, &R::StopAtNew_get, &R::StopAtNew_let);
  table.Boolean("OverridePatientLead", *this, &R::OverridePatientLead_get,
                &R::OverridePatientLead_let);
}

}  // namespace plugin
