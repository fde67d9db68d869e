// The plug-in's entry point as a component library: the host loads it by path (dlopen) and
// creates its public classes by ProgID.
#include <memory>

#include "platform/components/ClassRegistrar.h"
#include "plugin/core/XPlugInPreferences.h"

ORVEL_COMPONENT_ENTRY(registrar) {
  // One line per public class, in the order of the plug-in's folders.
  registrar.registerClass("orvelTRX440.XPlugInPreferences",
                          [] { return std::make_shared<plugin::XPlugInPreferences>(); });
}
