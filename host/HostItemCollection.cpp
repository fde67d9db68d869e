#include "host/HostItemCollection.h"

#include <cctype>

#include "host_api/HostServices.h"
#include "platform/TextTools.h"

namespace host {

namespace {

constexpr const char* kItemElement = "Item";
// A bound on the numbered definition values, so a hand-edited file cannot make the loop long.
constexpr int kMaxDefinitions = 1000;

bool isTrueText(const std::string& text) {
  auto t = platform::trim(text);
  return t == "True" || t == "true" || t == "-1" || t == "1";
}

// "<name>" or "<name>;Key": the name, and whether the item carries the key flag.
std::pair<std::string, bool> parseDefinition(const std::string& text) {
  auto semicolon = text.find(';');
  std::string name = platform::trim(text.substr(0, semicolon));
  bool key = false;
  if (semicolon != std::string::npos) {
    std::string flag = platform::trim(text.substr(semicolon + 1));
    for (auto& c : flag) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    key = flag == "key";
  }
  return {name, key};
}

}  // namespace

int32_t HostItemCollection::Count() const { return static_cast<int32_t>(m_items.size()); }

std::shared_ptr<host_api::IItem> HostItemCollection::Item(int32_t index) const {
  if (index < 1 || index > Count()) return nullptr;
  return m_items[static_cast<size_t>(index - 1)];
}

std::shared_ptr<host_api::IItem> HostItemCollection::Item(const std::string& name) const {
  return find(name);
}

std::shared_ptr<HostItem> HostItemCollection::find(const std::string& name) const {
  for (const auto& item : m_items) {
    if (item->Name_get() == name) return item;
  }
  return nullptr;
}

std::shared_ptr<host_api::IItem> HostItemCollection::Add(const std::string& name,
                                                         const std::string& value, bool key) {
  if (auto existing = find(name)) {
    existing->Value_let(value);
    existing->Key_let(key);
    return existing;
  }
  auto item = std::make_shared<HostItem>(name, value, key);
  m_items.push_back(item);
  return item;
}

std::shared_ptr<host_api::IItemCollection> HostItemCollection::Clone() const {
  auto copy = std::make_shared<HostItemCollection>();
  for (const auto& item : m_items) copy->Add(item->Name_get(), item->Value_get(), item->Key_get());
  return copy;
}

void HostItemCollection::Load(const host_api::IXmlElement& element) {
  HostItemCollection loaded;
  for (const auto& child : element.children()) {
    if (child->tagName() != kItemElement) continue;
    auto name = child->getAttribute("Name");
    if (!name || name->empty()) continue;
    loaded.Add(*name, child->text(), isTrueText(child->getAttribute("Key").value_or("")));
  }
  m_items = std::move(loaded.m_items);
}

void HostItemCollection::Save(host_api::IXmlElement& element) const {
  for (const auto& item : m_items) {
    auto child = element.appendNewChild(kItemElement);
    child->setAttribute("Name", item->Name_get());
    child->setAttribute("Key", item->Key_get() ? "True" : "False");
    if (!item->Value_get().empty()) child->setText(item->Value_get());
  }
}

std::vector<std::pair<std::string, bool>> HostItemCollection::defaultDefinitions() {
  return {{"Name", true}, {"Type", false}, {"Serial number", false}};
}

// `application` is not part of the lookup: the key path already names the application
// ("Software\Tavik\orvel\TRX440\Module Info").
void HostItemCollection::LoadDefinitions(uint32_t root, const std::string& key,
                                         const std::string& /*application*/) {
  HostItemCollection defined;
  auto& services = host_api::hostServices();
  auto registry = services.newRegistryKey ? services.newRegistryKey() : nullptr;
  if (registry && registry->Open(root, key)) {
    for (int n = 1; n <= kMaxDefinitions; ++n) {
      auto text = registry->ReadText("Item" + std::to_string(n));
      if (!text) break;
      auto [name, isKey] = parseDefinition(*text);
      if (!name.empty()) defined.Add(name, "", isKey);
    }
  }
  if (defined.m_items.empty()) {
    for (const auto& [name, isKey] : defaultDefinitions()) defined.Add(name, "", isKey);
  }
  m_items = std::move(defined.m_items);
}

}  // namespace host
