#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/ILimitStandard.h"
#include "platform/ScopedOverride.h"
#include "plugin/core/CPlugInSetup.h"

namespace plugin {

class CModuleSetup;

// What the plug-in's classes ask of the initialised plug-in entry: its settings, the limits its
// catalogue offers, and the module setups it hands between the result data and the host. The
// entry registers itself at Initialize; before that (and in a host that never initialised the
// plug-in) there is none, and every caller has a fallback.
class IPlugInReference {
 public:
  virtual ~IPlugInReference();

  virtual CPlugInSetup& SetupObject() = 0;
  // A copy of the limit standard that the catalogue element `testId` offers for this standard
  // and class; null when there is none. Under AAMI terms it holds no "::BF" limits.
  virtual std::shared_ptr<host_api::ILimitStandard> LimitStandardOf(
      int32_t testId, int32_t standardId, const std::string& className) = 0;
  // True only while the entry clones a catalogue element into a template.
  virtual bool UpdateNomenClature_get() const = 0;
  // The module setup loaded last together with stored result data.
  virtual std::shared_ptr<CModuleSetup> CurrentModuleSetup_get() const = 0;
  virtual void CurrentModuleSetup_set(const std::shared_ptr<CModuleSetup>& setup) = 0;
  // The module setup last handed to the host as the device's own data.
  virtual std::shared_ptr<CModuleSetup> DUTModuleSetup_get() const = 0;
  virtual void DUTModuleSetup_set(const std::shared_ptr<CModuleSetup>& setup) = 0;
};

// The global plug-in reference. Held weakly: the host owns the entry, and a terminated entry is
// gone for everyone.
std::weak_ptr<IPlugInReference>& plugInReferenceSlot();

// The registered entry, or null.
std::shared_ptr<IPlugInReference> PlugIn();
void SetPlugIn(const std::shared_ptr<IPlugInReference>& entry);

// Registers another entry (a test's stand-in, or none) for its own lifetime.
class PlugInReferenceOverride : public platform::ScopedOverride<std::weak_ptr<IPlugInReference>> {
 public:
  explicit PlugInReferenceOverride(const std::shared_ptr<IPlugInReference>& replacement)
      : ScopedOverride(plugInReferenceSlot(), replacement) {}
};

}  // namespace plugin
