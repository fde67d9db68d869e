#include "plugin/modules/CModuleSetup.h"

#include <algorithm>
#include <limits>

#include "host_api/HostServices.h"
#include "host_api/IRegistryKey.h"
#include "plugin/core/FElementSetup.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MSharedTools.h"
#include "plugin/core/MXmlUtils.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/IPlugInReference.h"
#include "plugin/modules/MModuleLine.h"
#include "plugin/modules/MModuleUtils.h"
#include "plugin/modules/MModuleXml.h"

namespace plugin {

namespace {
const std::string Source = MErrorConvention::ProgID(CModuleSetup::ClassName);
constexpr const char* EditorProgID = "orvelTRX440.XModuleSetup";
constexpr int32_t SettingsPageFlags = 9;
constexpr const char* ModuleInfoKey = "Software\\Tavik\\orvel\\TRX440\\Module Info";

// The nomenclature a new setup starts with: the plug-in's preference, or the installation's
// before the plug-in is initialised. Without any host it is IEC.
int32_t startingNomenclature() {
  int32_t value = CModuleSetup::NomenclatureIEC;
  if (auto entry = PlugIn()) {
    value = entry->SetupObject().Nomenclature_get();
  } else {
    platform::IgnoreErrors([&] { value = MSharedTools::DefaultNomenclature(); });
  }
  return value == CModuleSetup::NomenclatureAAMI ? CModuleSetup::NomenclatureAAMI
                                                 : CModuleSetup::NomenclatureIEC;
}

int32_t convertedClass(int32_t classId, int32_t nomenclature) {
  using namespace MModuleUtils;
  if (nomenclature == CModuleSetup::NomenclatureAAMI) {
    if (classId == ClassB || classId == ClassBF) return ClassNI;
    if (classId == ClassCF) return ClassI;
  } else if (nomenclature == CModuleSetup::NomenclatureIEC) {
    if (classId == ClassNI) return ClassB;
    if (classId == ClassI) return ClassCF;
  }
  return classId;
}
}  // namespace

CModuleSetup::CModuleSetup() : m_nomenclature(startingNomenclature()) {}

CModuleSetup::~CModuleSetup() = default;

std::shared_ptr<CModuleEntry> CModuleSetup::Item(int32_t index, int32_t moduleId) const {
  if (index >= 1) return m_modules.At(index);
  if (moduleId <= 0) return nullptr;
  if (auto entry = m_modules.Find(CModuleCollection::KeyOf(moduleId))) return entry;
  return memberWithId(moduleId);
}

std::shared_ptr<CModuleEntry> CModuleSetup::memberWithId(int32_t moduleId) const {
  for (const auto& entry : m_modules.entries()) {
    auto group = std::dynamic_pointer_cast<CModuleGroup>(entry);
    if (!group) continue;
    if (auto member = group->Item(0, moduleId)) return member;
  }
  return nullptr;
}

void CModuleSetup::Add(const std::shared_ptr<CModuleEntry>& entry, int32_t moduleId) {
  if (!entry) return;
  constexpr int32_t highest = std::numeric_limits<int32_t>::max();
  if (moduleId != 0) {
    const int32_t own = entry->ModuleID_get();
    m_modules.RequireFree(CModuleCollection::KeyOf(own));
    if (own >= m_counter) m_counter = own == highest ? highest : own + 1;
  } else {
    const int32_t next = m_counter == highest ? highest : m_counter + 1;
    m_modules.RequireFree(CModuleCollection::KeyOf(next));
    m_counter = next;
    entry->ModuleID_let(next);
  }
  m_modules.Add(CModuleCollection::KeyOf(entry->ModuleID_get()), entry);
}

void CModuleSetup::Remove(const std::shared_ptr<CModuleEntry>& entry) {
  // An entry goes by its own id; one with id 0 is the entry stored under "0", never whatever
  // happens to stand first.
  if (entry) Remove(CModuleCollection::KeyOf(entry->ModuleID_get()));
}

void CModuleSetup::Remove(const std::string& key) { m_modules.Remove(key); }

void CModuleSetup::Remove(int32_t position) { m_modules.RemoveAt(position); }

void CModuleSetup::ReplaceModule(const std::shared_ptr<CModuleEntry>& entry, int32_t moduleId) {
  const std::string key = CModuleCollection::KeyOf(moduleId);
  auto position = m_modules.PositionOf(key);
  if (!entry || !position) return;
  // An entry that stands elsewhere in the setup would end up there twice under two keys.
  const auto current = m_modules.entries();
  if (std::find(current.begin(), current.end(), entry) != current.end()) return;
  m_modules.RemoveAt(*position);
  // The replacement takes the id it is stored under, or a later Remove or Save would go by an
  // id that is not its key.
  entry->ModuleID_let(moduleId);
  m_modules.Add(key, entry, *position);
}

void CModuleSetup::SwapModules(const std::shared_ptr<CModuleEntry>& lower,
                               const std::shared_ptr<CModuleEntry>& upper) {
  if (!lower || !upper || lower == upper) return;
  const std::string lowerKey = CModuleCollection::KeyOf(lower->ModuleID_get());
  const std::string upperKey = CModuleCollection::KeyOf(upper->ModuleID_get());
  if (lowerKey == upperKey || !m_modules.Contains(lowerKey) || !m_modules.Contains(upperKey)) {
    return;
  }
  auto moved = m_modules.Remove(upperKey);
  m_modules.Add(upperKey, moved, m_modules.PositionOf(lowerKey));
}

std::vector<int32_t> CModuleSetup::PostPositions(int32_t leadType, int32_t moduleId) const {
  std::vector<int32_t> sockets;
  for (const auto& entry : m_modules.entries()) {
    if (leadType != 0 && leadType != entry->ClassID_get()) continue;
    if (moduleId != -1 && moduleId != entry->ModuleID_get()) continue;
    // Only the analyzer's sockets: stored data that claims more must not reach the instrument
    // as lead numbers it does not have (the load log tells of such data).
    const int64_t first = std::max<int64_t>(entry->FirstLead_get(), LeadFirst);
    const int64_t last =
        std::min<int64_t>(int64_t{entry->FirstLead_get()} + entry->Leads_get() - 1, LeadLast);
    for (int64_t socket = first; socket <= last; ++socket) {
      sockets.push_back(static_cast<int32_t>(socket));
    }
  }
  return sockets;
}

int32_t CModuleSetup::NextModuleID() {
  if (m_counter == std::numeric_limits<int32_t>::max()) {
    throw platform::ComError(platform::RuntimeError::Overflow, Source, "No module id is left");
  }
  return ++m_counter;
}

void CModuleSetup::Nomenclature_let(int32_t value) {
  if (value == m_nomenclature) return;
  m_nomenclature = value;
  for (const auto& entry : m_modules.entries()) {
    entry->ClassID_let(convertedClass(entry->ClassID_get(), value));
  }
}

int32_t CModuleSetup::UsedLeads() const {
  int64_t used = 0;
  for (const auto& entry : m_modules.entries()) used += std::max(entry->Leads_get(), 0);
  return static_cast<int32_t>(std::min<int64_t>(used, std::numeric_limits<int32_t>::max()));
}

int32_t CModuleSetup::FreeLeads() const { return std::max(MaxLeads() - UsedLeads(), 0); }

void CModuleSetup::CopyFrom(const CModuleSetup& other) {
  if (&other == this) return;
  CModuleCollection copies;
  int32_t highest = 0;
  for (const auto& entry : other.m_modules.entries()) {
    auto copy = entry->CloneEntry();
    copies.Add(CModuleCollection::KeyOf(copy->ModuleID_get()), copy);
    highest = std::max(highest, copy->ModuleID_get());
    if (auto group = std::dynamic_pointer_cast<CModuleGroup>(copy)) {
      for (const auto& member : group->NewEnum()) {
        highest = std::max(highest, member->ModuleID_get());
      }
    }
  }
  m_readOnly = other.m_readOnly;
  m_nomenclature = other.m_nomenclature;
  m_modules = std::move(copies);
  m_counter = highest;
}

std::shared_ptr<CModuleSetup> CModuleSetup::CloneSetup() const {
  auto copy = std::make_shared<CModuleSetup>();
  copy->CopyFrom(*this);
  return copy;
}

std::shared_ptr<host_api::IItemCollection> CModuleSetup::ModuleInfoTemplate() {
  if (m_infoTemplate) return m_infoTemplate;
  auto first = m_modules.At(1);
  auto info = first ? first->ModuleInfo_get() : nullptr;
  if (info) {
    m_infoTemplate = info->Clone();
    for (int32_t i = 1; i <= m_infoTemplate->Count(); ++i) {
      if (auto item = m_infoTemplate->Item(i)) item->Value_let("");
    }
  } else {
    m_infoTemplate = host_api::hostServices().classes.newItemCollection();
    m_infoTemplate->LoadDefinitions(host_api::RegistryRoot::LocalMachine, ModuleInfoKey, PlugInId);
  }
  return m_infoTemplate;
}

std::shared_ptr<host_api::IDialog> CModuleSetup::CreateDialog() {
  return MErrorConvention::GuardedReporting(
      Source, {}, [&]() -> std::shared_ptr<host_api::IDialog> {
        auto dialog = std::make_shared<FElementSetup>();
        dialog->CreateSetupCtrl(EditorProgID);
        std::shared_ptr<platform::Object> self = weak_from_this().lock();
        dialog->Initialize(SettingsPageFlags, platform::Variant(self));
        return dialog;
      });
}

void CModuleSetup::Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  MErrorConvention::GuardedReporting(
      Source, {MPlugInErrors::errModuleLoad, MPlugInErrors::errModuleContent},
      [&] { readElement(element, log); });
}

void CModuleSetup::readElement(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  auto setupElement = element.findChild("ModuleSetup");
  if (element.tagName() != "PlugInData" || element.getAttribute("PlugIn") != PlugInId ||
      !setupElement) {
    MModuleXml::Raise(Source, MPlugInErrors::errModuleLoad,
                      "Expected <PlugInData PlugIn=\"TRX440\"> with a <ModuleSetup>, found " +
                          MModuleXml::Describe(element) + ".");
  }
  const bool readOnly = MXmlUtils::ReadBoolean(*setupElement, "ReadOnly");
  const int32_t nomenclature =
      MModuleXml::ReadNumber(*setupElement, "Nomenclature", NomenclatureIEC, Source);
  int32_t highest = 0;
  // The entries are loaded aside and taken only when all of them loaded: a bad element leaves
  // the setup as it was, never half replaced.
  CModuleCollection loaded = MModuleXml::LoadEntries(*setupElement, highest, Source);
  MModuleXml::NoteUnusualSockets(loaded, log);
  m_readOnly = readOnly;
  m_nomenclature = nomenclature;
  m_modules = std::move(loaded);
  m_counter = highest;
  // The device's own setup is what the results stored next were measured with; they take a
  // copy of it once any module setup of the template has loaded.
  if (auto entry = PlugIn(); entry && entry->DUTModuleSetup_get()) {
    entry->CurrentModuleSetup_set(entry->DUTModuleSetup_get()->CloneSetup());
  }
}

std::shared_ptr<host_api::IXmlElement> CModuleSetup::Save(host_api::IXmlElement& owner) const {
  return MErrorConvention::GuardedReporting(Source, {MPlugInErrors::errConfigSave},
                                            [&] { return writeElement(owner); });
}

std::shared_ptr<host_api::IXmlElement> CModuleSetup::writeElement(
    host_api::IXmlElement& owner) const {
  std::shared_ptr<host_api::IXmlElement> element, setupElement;
  try {
    element = owner.appendNewChild("PlugInData");
    if (element) setupElement = element->appendNewChild("ModuleSetup");
  } catch (const platform::ComError&) {
    setupElement = nullptr;
  }
  if (!setupElement) {
    MModuleXml::Raise(Source, MPlugInErrors::errConfigSave, "(\"PlugInData\" element)");
  }
  element->setAttribute("PlugIn", PlugInId);
  if (m_readOnly) MXmlUtils::WriteBoolean(*setupElement, "ReadOnly", true);
  if (m_nomenclature != 0) MXmlUtils::WriteInteger(*setupElement, "Nomenclature", m_nomenclature);
  for (const auto& entry : m_modules.entries()) entry->WriteElement(*setupElement);
  return element;
}

void CModuleSetup::PrintReport(host_api::IReport* report) const {
  MErrorConvention::GuardedReporting(Source, {}, [&] {
    if (report && Count_get() > 0) PrintModuleTable(*report);
  });
}

void CModuleSetup::PrintModuleTable(host_api::IReport& report) const {
  const std::string body = reportBody(report);
  if (body.empty()) return;
  // Class and leads take a sixth of the width each; the descriptive fields take the rest.
  const int32_t width = std::max(report.Query(host_api::ReportQuery::UsableWidth), 0);
  const int32_t narrow = width / 6;
  const std::string layout = "<!" + std::to_string(width - 2 * narrow) + "|<" +
                             std::to_string(narrow) + "|>+" + std::to_string(narrow) + ";";
  auto title = [&](const char* text) { return "|{\\i\\b " + report.GetText(PlugInId, text) + "}"; };
  const std::string header = title("20514::Module Configuration") + ";" +
                             title("20515::Module info") + title("20516::Class") +
                             title("20517::Leads") + ";";
  report.Table(layout, header, body);
}

CPropertyTable CModuleSetup::PropertyTable() {
  CPropertyTable table(Source);
  table.AddText(
      "Modules",
      "name:class:leads items joined by commas (classes B, BF, CF or NI, I; 1 to 5 leads)",
      [this] { return MModuleLine::Format(*this); },
      [this](const std::string& text) {
        const MModuleLine::Parsed parsed = MModuleLine::Parse(text, m_nomenclature);
        if (!parsed.error.empty()) return parsed.error;
        MModuleLine::Apply(*this, parsed.items);
        refreshPlugInCopy();
        return std::string();
      });
  table.AddChoice(
      "Nomenclature", {{NomenclatureIEC, "IEC"}, {NomenclatureAAMI, "AAMI"}},
      [this] { return m_nomenclature; },
      [this](int32_t value) {
        Nomenclature_let(value);
        refreshPlugInCopy();
      });
  for (const char* editable : {"Modules", "Nomenclature"}) {
    table.Restrict(editable, [this](const platform::Variant&) -> CPropertyTable::Refusal {
      return m_readOnly ? "the module setup is read-only" : "";
    });
  }
  table.AddInteger(
      "UsedLeads", 0, MaxLeads(), [this] { return UsedLeads(); }, nullptr);
  table.AddInteger(
      "FreeLeads", 0, MaxLeads(), [this] { return FreeLeads(); }, nullptr);
  table.AddBoolean(
      "ReadOnly", [this] { return m_readOnly; }, nullptr);
  return table;
}

// The plug-in runs with a copy of the device's setup; a change made by name to the device's setup
// must reach that copy as a load does, or the next run would test the modules as they were.
void CModuleSetup::refreshPlugInCopy() const {
  auto entry = PlugIn();
  if (entry && entry->DUTModuleSetup_get().get() == this) {
    entry->CurrentModuleSetup_set(CloneSetup());
  }
}

std::string CModuleSetup::reportBody(const host_api::IReport& report) const {
  std::string body;
  for (const auto& entry : m_modules.entries()) {
    if (auto group = std::dynamic_pointer_cast<CModuleGroup>(entry)) {
      for (const auto& member : group->NewEnum()) body += member->CreateReportData(report);
    } else {
      body += entry->CreateReportData(report);
    }
  }
  return body;
}

}  // namespace plugin
