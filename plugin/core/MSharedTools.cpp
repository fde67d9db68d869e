#include "plugin/core/MSharedTools.h"

#include <memory>
#include <optional>

#include "host_api/HostServices.h"
#include "host_api/ITestElement.h"
#include "host_api/TestGuideSettings.h"
#include "plugin/core/CPlugInSetup.h"

namespace plugin::MSharedTools {

namespace {
// An open local-machine key, or null when it does not exist.
std::unique_ptr<host_api::IRegistryKey> openKey(const char* path) {
  auto key = host_api::hostServices().newRegistryKey();
  if (!key->Open(host_api::RegistryRoot::LocalMachine, path)) return nullptr;
  return key;
}
}  // namespace

bool TestGuideOnTop() { return host_api::TestGuideOnTop(); }

int32_t DefaultNomenclature() {
  auto key = openKey(PlugInKey);
  return key ? key->ReadLong("Nomenclature").value_or(0) : 0;
}

int16_t DefaultPolarityDelay() {
  auto key = openKey(PlugInKey);
  int16_t delay = key ? key->ReadInteger("PolarityDelay").value_or(0) : 0;
  return static_cast<int16_t>(CPlugInSetup::UsablePolarityDelay(delay));
}

std::shared_ptr<host_api::ITestElement> OwningElement(
    const std::shared_ptr<host_api::ITestElement>& element) {
  std::shared_ptr<host_api::ITestElement> current = element;
  std::shared_ptr<host_api::ITestElement> candidate;
  for (int pass = 0; pass < 2 && current; ++pass) {
    auto parent = current->Parent_get();
    if (!parent) {
      if (current->TestID_get() == 0) return candidate;
      if (!candidate) return current;
      return current->TestID_get() % 100 != 0 ? candidate : current;
    }
    const auto plugInId = parent->PlugInID_get();
    if (!plugInId.empty() && plugInId != "TRX440") return candidate ? candidate : current;
    candidate = current;
    current = parent;
  }
  return nullptr;
}

}  // namespace plugin::MSharedTools
