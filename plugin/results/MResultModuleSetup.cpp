#include "plugin/results/MResultModuleSetup.h"

#include "plugin/core/FElementSetup.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/IPlugInReference.h"

namespace plugin::MResultModuleSetup {

std::shared_ptr<CModuleSetup> TakeCurrent() {
  auto entry = PlugIn();
  if (!entry) return nullptr;
  auto current = entry->CurrentModuleSetup_get();
  if (!current || current->Count_get() < 1) return nullptr;
  // The entry holds the setup for the one result loaded after it; the next starts without.
  auto copy = current->CloneSetup();
  entry->CurrentModuleSetup_set(nullptr);
  return copy;
}

std::shared_ptr<CModuleSetup> Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  auto setup = std::make_shared<CModuleSetup>();
  setup->Load(element, log);
  return setup;
}

void Save(const CModuleSetup& setup, host_api::IXmlElement& owner) { setup.Save(owner); }

void Print(const CModuleSetup& setup, host_api::IReport& report) { setup.PrintReport(&report); }

std::shared_ptr<host_api::IDialog> CreateDialog(const std::string& progId,
                                                const std::shared_ptr<platform::Object>& result) {
  auto form = std::make_shared<FElementSetup>();
  form->CreateSetupCtrl(progId);
  form->Initialize(0, platform::Variant(result));
  return form;
}

}  // namespace plugin::MResultModuleSetup
