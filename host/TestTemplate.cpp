#include "host/TestTemplate.h"

#include <algorithm>

#include "host/HostLimitStandard.h"
#include "host/HostStandards.h"
#include "host/StandardNames.h"
#include "host/TemplateFile.h"
#include "host_api/IElementCore.h"
#include "host_api/ITestContainer.h"
#include "platform/ComError.h"

namespace host {

namespace {

constexpr const char* kSource = "Orvel.TestTemplate";

[[noreturn]] void fail(int32_t number, const std::string& why) {
  throw platform::ComError(number, kSource, why);
}

bool hasStandardEntry(const HostData& data) {
  return std::any_of(data.begin(), data.end(),
                     [](const auto& entry) { return entry.first == TestTemplate::kStandardEntry; });
}

// Makes ("Standard", text) the first entry, in place of any the data held: whoever reads the
// standard takes the first entry not named "Orvel", so it must come before every other name.
void putStandard(HostData& data, const std::string& text) {
  std::erase_if(data,
                [](const auto& entry) { return entry.first == TestTemplate::kStandardEntry; });
  data.insert(data.begin(), {TestTemplate::kStandardEntry, text});
}

std::string knownStandards() {
  std::string names;
  for (const auto& [id, name] : StandardNames::all()) names += (names.empty() ? "" : ", ") + name;
  return names;
}

}  // namespace

TestTemplate::TestTemplate() : m_standards(std::make_shared<HostStandards>()) {}

void TestTemplate::setStandard(const std::string& standardText, const std::string& deviceClass) {
  auto id = StandardNames::idOf(standardText);
  if (!id) {
    fail(platform::RuntimeError::InvalidProcedureCall,
         "\"" + standardText + "\" names no known standard (" + knownStandards() + ")");
  }
  if (deviceClass != "I" && deviceClass != "II") {
    fail(platform::RuntimeError::InvalidProcedureCall,
         "The protection class must be I or II, not \"" + deviceClass + "\"");
  }
  auto standard = std::make_shared<HostLimitStandard>();
  standard->Initialize(*id, deviceClass, 1);
  m_standards->Clear();
  m_standards->Add(standard);
  m_standardText = standardText;
  m_deviceClass = deviceClass;
  for (auto& [element, data] : m_hostData) putStandard(data, standardText);
}

void TestTemplate::setDeviceData(std::shared_ptr<host_api::IConfigData> data, std::string progId) {
  m_deviceData = std::move(data);
  m_deviceDataProgId = std::move(progId);
}

void TestTemplate::addElement(const std::shared_ptr<host_api::ITestElement>& element,
                              std::string progId, HostData data) {
  m_elements.add(element, nullptr, host_api::InsertRelation::Last, std::move(progId));
  if (!m_standardText.empty() && !hasStandardEntry(data)) putStandard(data, m_standardText);
  m_hostData[element.get()] = std::move(data);
}

void TestTemplate::removeElement(const std::shared_ptr<host_api::ITestElement>& element) {
  if (!element) return;
  m_elements.remove(element);
  m_hostData.erase(element.get());
}

const ElementList::Entry* TestTemplate::topLevelOf(const platform::Object& object) const {
  const auto* element = dynamic_cast<const host_api::ITestElement*>(&object);
  // An element's parent chain is short, but a damaged one could loop; the depth of any real
  // template is far below this.
  for (int depth = 0; element && depth < 1000; ++depth) {
    for (const auto& entry : m_elements.entries()) {
      if (entry.element.get() == element) return &entry;
    }
    auto parent = element->Parent_get();
    element = parent.get();
  }
  return nullptr;
}

HostData TestTemplate::elementData(const platform::Object& element) const {
  const auto* entry = topLevelOf(element);
  if (!entry) return {};
  auto found = m_hostData.find(entry->element.get());
  return found == m_hostData.end() ? HostData{} : found->second;
}

void TestTemplate::setElementData(const host_api::ITestElement& element, HostData data) {
  auto found = m_hostData.find(&element);
  if (found == m_hostData.end()) {
    fail(host_api::ElementError::NoSuchChild, "The element is not one of the template's own");
  }
  found->second = std::move(data);
}

host_api::TestElements TestTemplate::elementObjects() const {
  host_api::TestElements objects;
  for (const auto& element : m_elements.elements()) objects.push_back(element);
  return objects;
}

void TestTemplate::save(const std::filesystem::path& path) const {
  TemplateFile::save(*this, path);
}

std::shared_ptr<TestTemplate> TestTemplate::load(const std::filesystem::path& path,
                                                 host_api::ILoadLog* log) {
  return TemplateFile::load(path, log);
}

}  // namespace host
