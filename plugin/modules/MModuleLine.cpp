#include "plugin/modules/MModuleLine.h"

#include <charconv>

#include "platform/TextTools.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/MModuleUtils.h"

namespace plugin::MModuleLine {

namespace {
constexpr char ItemSeparator = ',';
constexpr char FieldSeparator = ':';
constexpr char MemberSeparator = '|';

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t found = text.find(separator, start);
    parts.push_back(platform::trim(std::string_view(text).substr(start, found - start)));
    if (found == std::string::npos) return parts;
    start = found + 1;
  }
}

std::string upper(std::string text) {
  for (char& c : text) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return text;
}

int32_t nomenclatureOf(int32_t classId) {
  return classId >= MModuleUtils::ClassNI ? CModuleSetup::NomenclatureAAMI
                                          : CModuleSetup::NomenclatureIEC;
}

std::string classesOf(int32_t nomenclature) {
  return nomenclature == CModuleSetup::NomenclatureAAMI ? "NI, I (AAMI)" : "B, BF, CF (IEC)";
}

// The leads of an item: a whole number from 1 to the analyzer's socket count; 0 otherwise.
int32_t leadsOf(const std::string& text) {
  int32_t leads = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), leads);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  return leads >= 1 && leads <= CModuleSetup::LeadLast ? leads : 0;
}

// Reads one item; the reason it is refused, or an empty text.
std::string readItem(const std::string& text, int32_t nomenclature, Item& item) {
  const std::string named = "item \"" + text + "\"";
  const auto fields = split(text, FieldSeparator);
  if (fields.size() != 3) return named + " is not name:class:leads";
  item.names = split(fields[0], MemberSeparator);
  for (const auto& name : item.names) {
    if (name.empty()) return named + " has an empty name";
  }
  item.classId = MModuleUtils::ClassFromText(upper(fields[1]));
  if (item.classId == MModuleUtils::ClassNone) {
    return named + " has the unknown class \"" + fields[1] + "\"; the classes are " +
           classesOf(nomenclature);
  }
  if (nomenclatureOf(item.classId) != nomenclature) {
    return named + " has a class of the other nomenclature; this setup's classes are " +
           classesOf(nomenclature) + " (set Nomenclature first to use the others)";
  }
  item.leads = leadsOf(fields[2]);
  if (item.leads == 0) return named + " has \"" + fields[2] + "\" leads; a module has 1 to 5";
  return {};
}
}  // namespace

Parsed Parse(const std::string& text, int32_t nomenclature) {
  Parsed parsed;
  if (platform::trimmed(text).empty()) return parsed;
  int32_t nextSocket = CModuleSetup::LeadFirst;
  for (const auto& part : split(text, ItemSeparator)) {
    Item item;
    std::string error = readItem(part, nomenclature, item);
    if (error.empty() && nextSocket + item.leads - 1 > CModuleSetup::LeadLast) {
      error = "item \"" + part + "\" would need sockets " + std::to_string(nextSocket) + " to " +
              std::to_string(nextSocket + item.leads - 1) +
              ", but the analyzer has five lead sockets in all";
    }
    if (!error.empty()) return {{}, error};
    item.firstLead = nextSocket;
    nextSocket += item.leads;
    parsed.items.push_back(std::move(item));
  }
  return parsed;
}

std::string Format(const CModuleSetup& setup) {
  std::string text;
  for (const auto& entry : setup.NewEnum()) {
    std::string names;
    if (auto group = std::dynamic_pointer_cast<CModuleGroup>(entry)) {
      for (const auto& member : group->NewEnum()) {
        names += (names.empty() ? "" : std::string(1, MemberSeparator)) + member->Code_get();
      }
    } else {
      names = entry->Code_get();
    }
    if (!text.empty()) text += ItemSeparator;
    text += names + FieldSeparator + MModuleUtils::ClassText(entry->ClassID_get(), true) +
            FieldSeparator + std::to_string(entry->Leads_get());
  }
  return text;
}

namespace {
std::shared_ptr<CModule> newModule(CModuleSetup& setup, const std::string& name, const Item& item) {
  auto module = std::make_shared<CModule>();
  if (auto info = setup.ModuleInfoTemplate()) module->ModuleInfo_set(info->Clone());
  module->Code_let(name);
  module->ClassID_let(item.classId);
  module->Leads_let(item.leads);
  module->FirstLead_let(item.firstLead);
  return module;
}

std::shared_ptr<CModuleEntry> newEntry(CModuleSetup& setup, const Item& item) {
  if (item.names.size() == 1) return newModule(setup, item.names.front(), item);
  auto group = std::make_shared<CModuleGroup>();
  group->ClassID_let(item.classId);
  group->Leads_let(item.leads);
  group->FirstLead_let(item.firstLead);
  return group;
}
}  // namespace

void Apply(CModuleSetup& setup, const std::vector<Item>& items) {
  // The descriptive fields come from the entries there are now, so the template is taken
  // before they go.
  setup.ModuleInfoTemplate();
  std::vector<std::shared_ptr<CModuleEntry>> entries;
  for (const auto& item : items) entries.push_back(newEntry(setup, item));
  while (setup.Count_get() > 0) setup.Remove(1);
  for (size_t i = 0; i < items.size(); ++i) {
    setup.Add(entries[i]);
    auto group = std::dynamic_pointer_cast<CModuleGroup>(entries[i]);
    if (!group) continue;
    for (const auto& name : items[i].names) {
      group->Add(newModule(setup, name, items[i]), setup.NextModuleID());
    }
  }
}

}  // namespace plugin::MModuleLine
