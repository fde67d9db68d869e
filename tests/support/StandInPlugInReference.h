#pragma once

#include <memory>
#include <string>

#include "host_api/ILimitStandard.h"
#include "plugin/core/CPlugInSetup.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/IPlugInReference.h"

// The plug-in entry as the plug-in's records see it, for tests that run them without the real
// entry (register it with plugin::PlugInReferenceOverride): settings of its own, whether it is
// cloning from its catalogue, the two module setups it hands over, and no catalogue limits.
class StandInPlugInReference : public plugin::IPlugInReference {
 public:
  explicit StandInPlugInReference(const std::string& libraryFolder = "/opt/orvel/plugins")
      : setup(libraryFolder) {}

  plugin::CPlugInSetup& SetupObject() override { return setup; }
  std::shared_ptr<host_api::ILimitStandard> LimitStandardOf(int32_t, int32_t,
                                                            const std::string&) override {
    return nullptr;
  }
  bool UpdateNomenClature_get() const override { return updateNomenclature; }
  std::shared_ptr<plugin::CModuleSetup> CurrentModuleSetup_get() const override { return current; }
  void CurrentModuleSetup_set(const std::shared_ptr<plugin::CModuleSetup>& s) override {
    current = s;
  }
  std::shared_ptr<plugin::CModuleSetup> DUTModuleSetup_get() const override { return dut; }
  void DUTModuleSetup_set(const std::shared_ptr<plugin::CModuleSetup>& s) override { dut = s; }

  plugin::CPlugInSetup setup;
  bool updateNomenclature = false;
  std::shared_ptr<plugin::CModuleSetup> current, dut;
};
