#include "plugin/modules/CModule.h"

#include "host_api/HostServices.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MXmlUtils.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/MModuleUtils.h"
#include "plugin/modules/MModuleXml.h"

namespace plugin {

namespace {
const std::string Source = MErrorConvention::ProgID(CModule::ClassName);

// A host without an item collection class leaves a module without descriptive fields; every
// use below copes with that.
std::shared_ptr<host_api::IItemCollection> newItemCollection() {
  auto& services = host_api::hostServicesSlot();
  if (!services || !services->classes.newItemCollection) return nullptr;
  return services->classes.newItemCollection();
}

// The item that names the module: the last one with the key flag. Reading and writing the
// name use the same item, so that a name written reads back the same.
std::shared_ptr<host_api::IItem> keyItem(const host_api::IItemCollection& info) {
  std::shared_ptr<host_api::IItem> found;
  for (int32_t i = 1; i <= info.Count(); ++i) {
    auto item = info.Item(i);
    if (item && item->Key_get()) found = item;
  }
  return found;
}

std::string firstNonEmptyValue(const host_api::IItemCollection& info) {
  for (int32_t i = 1; i <= info.Count(); ++i) {
    auto item = info.Item(i);
    if (item && !item->Value_get().empty()) return item->Value_get();
  }
  return {};
}

bool matchesAnyItem(const host_api::IItemCollection* info, const CModuleFilter& filter) {
  if (!info) return false;
  for (int32_t i = 1; i <= filter.Count_get(); ++i) {
    auto condition = filter.Item(i);
    if (!condition) continue;
    auto item = info->Item(condition->Name_get());
    if (item && item->Value_get() == condition->Value_get()) return true;
  }
  return false;
}
}  // namespace

CModule::CModule() : m_info(newItemCollection()) { m_classId = MModuleUtils::ClassB; }

CModule::~CModule() = default;

std::string CModule::Code_get() const {
  if (m_moduleId == 0 || !m_info) return m_plainCode;
  auto key = keyItem(*m_info);
  if (key && !key->Value_get().empty()) return key->Value_get();
  return firstNonEmptyValue(*m_info);
}

void CModule::Code_let(const std::string& code) {
  if (m_moduleId == 0) m_plainCode = code;
  if (!m_info) return;
  auto item = keyItem(*m_info);
  if (!item) item = m_info->Item(1);
  if (item) item->Value_let(code);
}

void CModule::ModuleInfo_set(const std::shared_ptr<host_api::IItemCollection>& info) {
  m_info = info;
}

std::string CModule::ToolTipText_get() const {
  std::string text = Code_get();
  auto first = m_info ? m_info->Item(1) : nullptr;
  // An empty first field adds nothing worth showing: no "()" after the name.
  if (first && !first->Value_get().empty() && first->Value_get() != text) {
    text += " (" + first->Value_get() + ")";
  }
  return text;
}

bool CModule::ApplyFilter(const CModuleFilter* filter) const {
  const bool passes = !filter || filter->IsEmpty() || matchesAnyItem(m_info.get(), *filter);
  return passes && m_leads > 0 && m_classId != MModuleUtils::ClassNone;
}

std::string CModule::CreateReportData(const host_api::IReport& report) const {
  // The module table has three columns; every descriptive field goes into the first as
  // "name: value", the fields separated by ", ". Field texts lose the characters that would
  // end a cell, a row or a format group.
  auto clean = [&](const std::string& text) { return report.ReplaceChars(text, "|;{}", " ,()"); };
  std::string info;
  for (int32_t i = 1; m_info && i <= m_info->Count(); ++i) {
    auto item = m_info->Item(i);
    if (!item) continue;
    if (!info.empty()) info += ", ";
    info += clean(item->Name_get()) + ": " + clean(item->Value_get());
  }
  return "|" + info + "|" + ClassForReport_get() + "|" + std::to_string(m_leads) + ";";
}

void CModule::CopyFrom(const CModule& other) {
  if (&other == this) return;
  m_moduleId = other.m_moduleId;
  m_leads = other.m_leads;
  m_groupId = other.m_groupId;
  m_classId = other.m_classId;
  m_firstLead = other.m_firstLead;
  m_info = other.m_info ? other.m_info->Clone() : nullptr;
}

std::shared_ptr<CModule> CModule::CloneModule() const {
  auto copy = std::make_shared<CModule>();
  copy->CopyFrom(*this);
  copy->m_plainCode = m_plainCode;
  copy->m_inGroup = m_inGroup;
  return copy;
}

void CModule::ReadElement(const host_api::IXmlElement& element) {
  MModuleXml::RequireModuleTag(element, Source);
  if (element.getAttribute("Group") == "True") {
    m_isGroup = true;
    return;
  }
  // Everything is read before anything is taken, so a bad attribute leaves the module as it was.
  const int32_t id = MModuleXml::ReadId(element, Source);
  const int32_t classId = MModuleXml::ReadNumber(element, "Class", m_classId, Source);
  const int32_t leads = MModuleXml::ReadNumber(element, "Leads", m_leads, Source);
  const int32_t firstLead = MModuleXml::ReadNumber(element, "FirstLead", m_firstLead, Source);
  auto info = m_info ? m_info->Clone() : newItemCollection();
  if (info) info->Load(element);
  m_isGroup = false;
  m_moduleId = id;
  m_classId = classId;
  m_leads = leads;
  m_firstLead = firstLead;
  m_info = info;
}

std::shared_ptr<host_api::IXmlElement> CModule::WriteElement(host_api::IXmlElement& owner) const {
  std::shared_ptr<host_api::IXmlElement> element;
  try {
    element = owner.appendNewChild(MModuleXml::ModuleTag);
  } catch (const platform::ComError&) {
    element = nullptr;
  }
  if (!element) MModuleXml::Raise(Source, MPlugInErrors::errConfigSave, "(\"Module\" element)");
  MXmlUtils::WriteInteger(*element, "ID", m_moduleId);
  MXmlUtils::WriteInteger(*element, "Class", m_classId);
  MXmlUtils::WriteInteger(*element, "Leads", m_leads);
  MXmlUtils::WriteInteger(*element, "FirstLead", m_firstLead);
  if (m_info) m_info->Save(*element);
  return element;
}

std::string CModule::ErrorSource() const { return Source; }

}  // namespace plugin
