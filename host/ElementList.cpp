#include "host/ElementList.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>

#include "host_api/IElementCore.h"
#include "host_api/ITestContainer.h"
#include "platform/ComError.h"
#include "platform/components/ComponentRegistry.h"

namespace host {

namespace {

constexpr const char* kSource = "Orvel.TestContainer";

[[noreturn]] void fail(int32_t number, const std::string& why) {
  throw platform::ComError(number, kSource, why);
}

// The class name of `object` without its namespaces ("CTestSingle").
std::string classNameOf(const platform::Object& object) {
  const char* mangled = typeid(object).name();
  int status = 0;
  char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  std::string name = status == 0 && demangled ? demangled : mangled;
  std::free(demangled);
  auto colons = name.rfind("::");
  return colons == std::string::npos ? name : name.substr(colons + 2);
}

}  // namespace

std::shared_ptr<host_api::ITestElement> ElementList::item(int32_t index) const {
  if (index < 1 || index > count()) return nullptr;
  return m_entries[static_cast<size_t>(index - 1)].element;
}

std::vector<ElementList::Entry>::const_iterator ElementList::position(
    const host_api::ITestElement* element) const {
  return std::find_if(m_entries.begin(), m_entries.end(),
                      [&](const Entry& entry) { return entry.element.get() == element; });
}

void ElementList::add(const std::shared_ptr<host_api::ITestElement>& child,
                      const std::shared_ptr<host_api::ITestElement>& relative, int32_t relation,
                      std::string progId) {
  using namespace host_api::InsertRelation;
  if (!child) fail(platform::RuntimeError::InvalidProcedureCall, "No element to add");
  if (relation != Last && relation != Before && relation != After) {
    fail(platform::RuntimeError::InvalidProcedureCall,
         "Unknown place of a new element: " + std::to_string(relation));
  }
  if (position(child.get()) != m_entries.end()) {
    fail(platform::RuntimeError::InvalidProcedureCall, "The element is held already");
  }
  auto at = m_entries.cend();
  if (relation != Last) {
    at = position(relative.get());
    if (!relative || at == m_entries.cend()) {
      fail(host_api::ElementError::NoSuchRelative, "The element to place it by is not held");
    }
    if (relation == After) ++at;
  }
  m_entries.insert(at, Entry{child, std::move(progId)});
}

void ElementList::remove(const std::shared_ptr<host_api::ITestElement>& child) {
  if (!child) return;
  auto at = position(child.get());
  if (at == m_entries.end()) fail(host_api::ElementError::NoSuchChild, "The element is not held");
  m_entries.erase(at);
}

std::shared_ptr<host_api::ITestElement> ElementList::find(int32_t testId) const {
  for (const auto& entry : m_entries) {
    if (entry.element->TestID_get() == testId) return entry.element;
    if (auto container = std::dynamic_pointer_cast<host_api::ITestContainer>(entry.element)) {
      if (auto found = container->FindElement(testId)) return found;
    }
  }
  return nullptr;
}

std::vector<std::shared_ptr<host_api::ITestElement>> ElementList::elements() const {
  std::vector<std::shared_ptr<host_api::ITestElement>> result;
  for (const auto& entry : m_entries) result.push_back(entry.element);
  return result;
}

std::string ElementList::progIdOf(const Entry& entry) {
  if (!entry.progId.empty()) return entry.progId;
  auto derived = "orvel" + entry.element->PlugInID_get() + "." + classNameOf(*entry.element);
  return platform::components::components().isRegistered(derived) ? derived : std::string();
}

}  // namespace host
