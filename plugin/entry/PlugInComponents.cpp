// The plug-in's entry point as a component library: the host loads it by path (dlopen) and
// creates its public classes by ProgID.
#include <memory>

#include "platform/components/ClassRegistrar.h"

ORVEL_COMPONENT_ENTRY(registrar) {
  // One line per public class, in the order of the plug-in's folders.
  (void)registrar;
}
