#pragma once

namespace platform::forms {
class ListView;
}

#include "plugin/guide/MLeadStrip.h"

namespace plugin {

class CModuleSetup;

// The device's modules as rows of a list: name, class and the analyzer sockets each one takes
// ("RA,LL,LA"). What the guide's module page shows.
namespace MModuleSetupList {

// Replaces the list's rows by the modules of `setup` (none for a null setup), in setup order;
// a group's members follow it, indented.
void Fill(platform::forms::ListView& list, const CModuleSetup* setup);

// The analyzer's sockets with the modules of `setup` on them, from the first module's socket on
// (an empty strip for none).
MLeadStrip::Strip LeadStrip(const CModuleSetup* setup);

}  // namespace MModuleSetupList
}  // namespace plugin
