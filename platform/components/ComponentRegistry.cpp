#include "platform/components/ComponentRegistry.h"

#include <cctype>

#include "platform/ComError.h"
#include "platform/components/ClassRegistrar.h"

namespace platform::components {

std::string ComponentRegistry::keyOf(const std::string& progId) {
  std::string key = progId;
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

void ComponentRegistry::registerClass(const std::string& progId, Factory factory) {
  if (progId.empty() || !factory) {
    throw ComError(RuntimeError::InvalidProcedureCall, "platform.ComponentRegistry",
                   "A class needs a ProgID and a factory to be registered");
  }
  m_classes[keyOf(progId)] = Entry{progId, std::move(factory)};
}

void ComponentRegistry::unregisterClass(const std::string& progId) {
  m_classes.erase(keyOf(progId));
}

bool ComponentRegistry::isRegistered(const std::string& progId) const {
  return m_classes.count(keyOf(progId)) != 0;
}

std::vector<std::string> ComponentRegistry::progIds() const {
  std::vector<std::string> ids;
  for (const auto& [key, entry] : m_classes) ids.push_back(entry.progId);
  return ids;
}

std::shared_ptr<Object> ComponentRegistry::create(const std::string& progId) const {
  auto it = m_classes.find(keyOf(progId));
  if (it == m_classes.end()) {
    throw ComError(RuntimeError::ClassNotRegistered, "platform.ComponentRegistry",
                   "No class is registered under the ProgID \"" + progId +
                       "\"; is its component library loaded?");
  }
  std::shared_ptr<Object> object = it->second.factory();
  if (!object) {
    throw ComError(RuntimeError::ClassNotRegistered, "platform.ComponentRegistry",
                   "The class \"" + progId + "\" did not create an object");
  }
  return object;
}

namespace {
ComponentRegistry*& installedRegistry() {
  static ComponentRegistry* current = nullptr;
  return current;
}
}  // namespace

ComponentRegistry& components() {
  ComponentRegistry*& current = installedRegistry();
  if (!current) {
    static ComponentRegistry processRegistry;
    current = &processRegistry;
  }
  return *current;
}

ComponentsOverride::ComponentsOverride(ComponentRegistry& replacement)
    : ScopedOverride(installedRegistry(), &replacement) {}

ClassRegistrar::~ClassRegistrar() = default;

}  // namespace platform::components
