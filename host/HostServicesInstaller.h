#pragma once

#include <memory>

#include "host_api/HostServices.h"

namespace host {

// Creates the host's services and installs them for the driver and the plug-in (replacing any
// installed before). The registry and the catalogues are found through HostLocations; the
// language is chosen as HostApplicationService::configuredLanguage says.
std::shared_ptr<host_api::HostServices> installHostServices();

}  // namespace host
