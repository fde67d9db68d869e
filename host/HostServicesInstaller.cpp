#include "host/HostServicesInstaller.h"

#include <malloc.h>

#include <iostream>

#include "host/HostApplicationService.h"
#include "host/HostClassesInstaller.h"
#include "host/HostErrorService.h"
#include "host/HostInstrumentData.h"
#include "host/HostInstrumentRegistry.h"
#include "host/HostLocations.h"
#include "host/HostPathService.h"
#include "host/HostRegistryKey.h"
#include "host/HostXmlService.h"
#include "platform/components/ComponentRegistry.h"

namespace host {

namespace {
// The host builds a template's document anew for every save and drops it again, and every
// load parses into fresh memory. By default the C library hands freed memory back to the
// system as soon as a few hundred kilobytes lie free, so each document touches its pages anew,
// and on a virtual machine a fresh page costs a fault; that made a save several times slower
// than writing the same XML directly. The host keeps up to this much free memory for reuse.
constexpr int kKeptFreeMemory = 64 * 1024 * 1024;

void keepFreedMemoryForReuse() {
  mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
  // Large blocks (a document's text) come from the same reusable memory, not from mappings
  // of their own that go back to the system when freed.
  mallopt(M_MMAP_THRESHOLD, kKeptFreeMemory / 2);
}
}  // namespace

std::shared_ptr<host_api::HostServices> installHostServices() {
  keepFreedMemoryForReuse();
  auto services = std::make_shared<host_api::HostServices>();
  // Each key finds the settings file anew, so ORVEL_REGISTRY set later still counts.
  services->newRegistryKey = [] {
    return std::make_unique<HostRegistryKey>(HostLocations::registryFile());
  };
  auto languageKey = services->newRegistryKey();
  auto application = std::make_shared<HostApplicationService>(
      HostLocations::resourceDir(), HostApplicationService::configuredLanguage(*languageKey));
  services->application = application;
  // Errors an operation survives are not lost: the person running the host sees them.
  services->errors = std::make_shared<HostErrorService>(application, &std::cerr);
  services->xml = std::make_shared<HostXmlService>();
  services->paths = std::make_shared<HostPathService>();
  services->newInstrumentRegistry = [newKey = services->newRegistryKey] {
    return std::make_shared<HostInstrumentRegistry>(newKey);
  };
  services->newInstrumentData = [] { return std::make_shared<HostInstrumentData>(); };
  installHostClasses(*services);
  registerHostControls(platform::components::components());
  host_api::hostServicesSlot() = services;
  return services;
}

}  // namespace host
