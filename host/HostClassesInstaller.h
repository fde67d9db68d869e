#pragma once

#include "host_api/HostServices.h"
#include "platform/components/ClassRegistrar.h"

namespace host {

// Fills `services.classes` with the host's own classes, so that a plug-in's `newXxx()` gives a
// working object. Used by installHostServices() and by hosts that tests assemble.
void installHostClasses(host_api::HostServices& services);

// Registers the host's controls that a plug-in creates by ProgID ("OrvelView.XLimitView").
void registerHostControls(platform::components::ClassRegistrar& registrar);

}  // namespace host
