#include "plugin/modules/IPlugInReference.h"

namespace plugin {

IPlugInReference::~IPlugInReference() = default;

std::weak_ptr<IPlugInReference>& plugInReferenceSlot() {
  static std::weak_ptr<IPlugInReference> slot;
  return slot;
}

std::shared_ptr<IPlugInReference> PlugIn() { return plugInReferenceSlot().lock(); }

void SetPlugIn(const std::shared_ptr<IPlugInReference>& entry) { plugInReferenceSlot() = entry; }

}  // namespace plugin
