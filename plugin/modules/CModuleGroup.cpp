#include "plugin/modules/CModuleGroup.h"

#include "host_api/HostServices.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MXmlUtils.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/MModuleUtils.h"
#include "plugin/modules/MModuleXml.h"

namespace plugin {

namespace {
const std::string Source = MErrorConvention::ProgID(CModuleGroup::ClassName);
const char* const GroupText = "20504::Group";

std::string translated(const std::string& text) {
  return host_api::hostServices().application->Translate(PlugInId, text);
}
}  // namespace

CModuleGroup::CModuleGroup() = default;

CModuleGroup::~CModuleGroup() = default;

void CModuleGroup::ModuleID_let(int32_t value) {
  if (value == m_moduleId) return;
  m_moduleId = value;
  for (const auto& member : m_members.entries()) member->GroupID_let(value);
}

void CModuleGroup::Leads_let(int32_t value) {
  if (value == m_leads) return;
  m_leads = value;
  for (const auto& member : m_members.entries()) member->Leads_let(value);
}

void CModuleGroup::ClassID_let(int32_t value) {
  if (value == m_classId) return;
  m_classId = value;
  for (const auto& member : m_members.entries()) member->ClassID_let(value);
}

std::string CModuleGroup::Code_get() const { return translated(GroupText); }

std::shared_ptr<host_api::IItemCollection> CModuleGroup::ModuleInfo_get() const {
  auto first = m_members.At(1);
  return first ? first->ModuleInfo_get() : nullptr;
}

std::string CModuleGroup::ToolTipText_get() const {
  std::string text = translated(GroupText) + ": ";
  for (const auto& member : m_members.entries()) text += member->ToolTipText_get() + "; ";
  return text;
}

bool CModuleGroup::ApplyFilter(const CModuleFilter* filter) const {
  // A group without sockets or class is no more tested than such a module would be.
  if (m_leads <= 0 || m_classId == MModuleUtils::ClassNone) return false;
  if (!filter || filter->IsEmpty()) return true;
  for (const auto& member : m_members.entries()) {
    if (member->ApplyFilter(filter)) return true;
  }
  return false;
}

std::shared_ptr<CModule> CModuleGroup::Item(int32_t index, int32_t moduleId) const {
  std::shared_ptr<CModuleEntry> member;
  if (index >= 1) {
    member = m_members.At(index);
  } else if (moduleId > 0) {
    member = m_members.Find(CModuleCollection::KeyOf(moduleId));
  }
  return std::static_pointer_cast<CModule>(member);  // Add takes nothing but modules
}

void CModuleGroup::Add(const std::shared_ptr<CModule>& module, int32_t moduleId) {
  if (!module) return;
  const std::string key = CModuleCollection::KeyOf(moduleId);
  m_members.RequireFree(key);
  if (m_leads == 0) {
    Leads_let(module->Leads_get());
    ClassID_let(module->ClassID_get());
  }
  // Members share the group's sockets and class, whatever they brought with them.
  module->Leads_let(m_leads);
  module->ClassID_let(m_classId);
  module->ModuleID_let(moduleId);
  module->GroupID_let(m_moduleId);
  module->InGroup_let(true);
  m_members.Add(key, module);
}

void CModuleGroup::Remove(const std::shared_ptr<CModuleEntry>& module) {
  if (module) Remove(CModuleCollection::KeyOf(module->ModuleID_get()));
}

void CModuleGroup::Remove(const std::string& key) { m_members.Remove(key); }

void CModuleGroup::Remove(int32_t position) { m_members.RemoveAt(position); }

std::vector<std::shared_ptr<CModule>> CModuleGroup::NewEnum() const {
  std::vector<std::shared_ptr<CModule>> members;
  for (const auto& member : m_members.entries()) {
    members.push_back(std::static_pointer_cast<CModule>(member));
  }
  return members;
}

std::shared_ptr<CModuleEntry> CModuleGroup::CloneEntry() const {
  auto copy = std::make_shared<CModuleGroup>();
  copy->m_moduleId = m_moduleId;
  copy->m_leads = m_leads;
  copy->m_classId = m_classId;
  copy->m_firstLead = m_firstLead;
  for (const auto& member : NewEnum()) copy->Add(member->CloneModule(), member->ModuleID_get());
  return copy;
}

void CModuleGroup::ReadElement(const host_api::IXmlElement& element) {
  MModuleXml::RequireModuleTag(element, Source);
  // The group is built aside and taken whole, so a bad member leaves this group as it was.
  CModuleGroup loaded;
  loaded.m_moduleId = MModuleXml::ReadId(element, Source);
  loaded.m_classId = MModuleXml::ReadNumber(element, "Class", m_classId, Source);
  loaded.m_leads = MModuleXml::ReadNumber(element, "Leads", m_leads, Source);
  loaded.m_firstLead = MModuleXml::ReadNumber(element, "FirstLead", m_firstLead, Source);
  for (const auto& child : element.children()) {
    auto member = std::make_shared<CModule>();
    member->ReadElement(*child);
    if (member->IsGroup_get()) {
      MModuleXml::Raise(Source, MPlugInErrors::errModuleContent,
                        "A group cannot hold another group: " + MModuleXml::Describe(*child) +
                            " in " + MModuleXml::Describe(element) + ".");
    }
    if (loaded.m_members.Contains(CModuleCollection::KeyOf(member->ModuleID_get()))) {
      MModuleXml::Raise(Source, MPlugInErrors::errModuleContent,
                        "Two members use one ID: " + MModuleXml::Describe(*child) + " in " +
                            MModuleXml::Describe(element) + ".");
    }
    loaded.Add(member, member->ModuleID_get());
  }
  m_moduleId = loaded.m_moduleId;
  m_classId = loaded.m_classId;
  m_leads = loaded.m_leads;
  m_firstLead = loaded.m_firstLead;
  m_members = std::move(loaded.m_members);
}

std::shared_ptr<host_api::IXmlElement> CModuleGroup::WriteElement(
    host_api::IXmlElement& owner) const {
  std::shared_ptr<host_api::IXmlElement> element;
  try {
    element = owner.appendNewChild(MModuleXml::ModuleTag);
  } catch (const platform::ComError&) {
    element = nullptr;
  }
  if (!element) MModuleXml::Raise(Source, MPlugInErrors::errConfigSave, "(\"Module\" element)");
  MXmlUtils::WriteInteger(*element, "ID", m_moduleId);
  MXmlUtils::WriteBoolean(*element, "Group", true);
  MXmlUtils::WriteInteger(*element, "Class", m_classId);
  MXmlUtils::WriteInteger(*element, "Leads", m_leads);
  MXmlUtils::WriteInteger(*element, "FirstLead", m_firstLead);
  for (const auto& member : NewEnum()) member->WriteElement(*element);
  return element;
}

std::string CModuleGroup::ErrorSource() const { return Source; }

}  // namespace plugin
