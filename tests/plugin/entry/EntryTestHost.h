#pragma once

#include <memory>

#include "platform/components/ComponentRegistry.h"
#include "plugin/entry/CPlugInTRX440.h"
#include "plugin/modules/IPlugInReference.h"
#include "support/InstalledHost.h"

extern "C" void orvelRegisterClasses(platform::components::ClassRegistrar& registrar);

// The installed host with the plug-in's classes registered by ProgID (in the test's own
// registry), settings in the plug-in's key, and a new plug-in entry that no process-wide slot
// keeps after the test.
class EntryTestHost : public InstalledHost {
 protected:
  static constexpr const char* kSettingsKey = "Software\\Tavik\\orvel\\TRX440";

  void SetUp() override {
    InstalledHost::SetUp();
    orvelRegisterClasses(platform::components::components());
    auto settings = key(kSettingsKey);
    settings->WriteLong("Nomenclature", 0);
    settings->WriteLong("PolarityDelay", 1);
    entry = std::make_shared<plugin::CPlugInTRX440>();
  }

  plugin::PlugInReferenceOverride noEntry{nullptr};
  std::shared_ptr<plugin::CPlugInTRX440> entry;
};
