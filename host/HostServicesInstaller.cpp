#include "host/HostServicesInstaller.h"

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

std::shared_ptr<host_api::HostServices> installHostServices() {
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
