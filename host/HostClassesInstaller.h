#pragma once

#include "host_api/HostServices.h"

namespace host {

// Fills `services.classes` with the host's own classes, so that a plug-in's `newXxx()` gives a
// working object. Used by installHostServices() and by hosts that tests assemble.
void installHostClasses(host_api::HostServices& services);

}  // namespace host
