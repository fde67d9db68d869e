#include "plugin/config/MModuleFilters.h"

#include <functional>

#include "host_api/ITestElement.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/modules/CModuleEntry.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/MModuleUtils.h"

namespace plugin::MModuleFilters {

namespace {
bool inRange(int32_t id, int32_t low, int32_t high) { return id >= low && id <= high; }

bool anyModule(const CModuleSetup* modules, const std::function<bool(const CModuleEntry&)>& test) {
  if (!modules) return false;
  for (const auto& entry : modules->NewEnum()) {
    if (entry && test(*entry)) return true;
  }
  return false;
}
}  // namespace

std::shared_ptr<CConfigTestGroup> GroupConfiguration(const host_api::ITestElement& element) {
  const auto* autoTest = dynamic_cast<const IAutoTest*>(&element);
  if (!autoTest || !autoTest->IsGroup_get()) return nullptr;
  return std::dynamic_pointer_cast<CConfigTestGroup>(element.Configuration_get());
}

std::shared_ptr<CConfigTestGroup> EnclosingGroupConfiguration(
    const std::shared_ptr<host_api::ITestElement>& element) {
  for (auto current = element; current; current = current->Parent_get()) {
    if (auto configuration = GroupConfiguration(*current)) return configuration;
  }
  return nullptr;
}

bool PassAllGroupFilters(const std::shared_ptr<host_api::ITestElement>& element,
                         const CModuleEntry& module) {
  for (auto current = element; current; current = current->Parent_get()) {
    auto configuration = GroupConfiguration(*current);
    if (!configuration || !configuration->Modules_get()) continue;
    if (!module.ApplyFilter(configuration->Modules_get()->Filter_get().get())) return false;
  }
  return true;
}

bool HasFilteredModule(const std::shared_ptr<host_api::ITestElement>& element,
                       const CModuleSetup* modules) {
  const auto* autoTest = dynamic_cast<const IAutoTest*>(element.get());
  if (!autoTest || !autoTest->RequireModules_get()) return true;
  auto configuration = std::dynamic_pointer_cast<CConfigTestGroup>(element->Configuration_get());
  if (!configuration) return true;
  const CModuleFilter* filter =
      configuration->Modules_get() ? configuration->Modules_get()->Filter_get().get() : nullptr;
  return anyModule(modules, [filter](const CModuleEntry& m) { return m.ApplyFilter(filter); });
}

bool ModulesSuitTest(const host_api::ITestElement& element, const CModuleSetup* modules) {
  const int32_t id = element.TestID_get();
  if (id == 830 || inRange(id, 1200, 1299) || inRange(id, 1400, 1499) || inRange(id, 1800, 1899)) {
    return anyModule(modules, IsIsolatedClass);
  }
  if (inRange(id, 1300, 1399)) return MModuleUtils::HasMultiLeadModule(modules);
  return true;
}

bool IsIsolatedClass(const CModuleEntry& module) {
  const int32_t classId = module.ClassID_get();
  return classId != MModuleUtils::ClassB && classId != MModuleUtils::ClassNI &&
         classId != MModuleUtils::ClassNone;
}

}  // namespace plugin::MModuleFilters
