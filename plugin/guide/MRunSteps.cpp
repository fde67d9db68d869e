#include "plugin/guide/MRunSteps.h"

#include "driver/CTrxSafetyTest.h"
#include "host_api/ITestContainer.h"
#include "host_api/ITestElement.h"
#include "platform/ComError.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/config/MModuleFilters.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MSharedTools.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/modules/CModuleSetup.h"

namespace plugin::MRunSteps {

std::shared_ptr<host_api::ITestElement> ElementOf(const std::shared_ptr<IAutoTest>& iat) {
  return std::dynamic_pointer_cast<host_api::ITestElement>(iat);
}

std::shared_ptr<IAutoTest> PlugInTest(const std::shared_ptr<host_api::ITestElement>& element) {
  return std::dynamic_pointer_cast<IAutoTest>(element);
}

std::vector<std::shared_ptr<host_api::ITestElement>> Children(
    const std::shared_ptr<IAutoTest>& iat) {
  auto container = std::dynamic_pointer_cast<host_api::ITestContainer>(iat);
  if (!container) return {};
  return container->NewEnum();
}

std::shared_ptr<CConfigTestGroup> GroupConfigurationOf(const std::shared_ptr<IAutoTest>& iat) {
  auto element = ElementOf(iat);
  return element ? MModuleFilters::GroupConfiguration(*element) : nullptr;
}

std::shared_ptr<CConfigTestGroup> GoverningConfiguration(
    const std::shared_ptr<host_api::ITestElement>& element) {
  if (!element) return nullptr;
  if (auto owning = MSharedTools::OwningElement(element)) {
    if (auto own = std::dynamic_pointer_cast<CConfigTestGroup>(owning->Configuration_get())) {
      return own;
    }
  }
  return MModuleFilters::EnclosingGroupConfiguration(element);
}

int32_t PhaseOf(const IAutoTest& leaf) {
  auto test = leaf.SafetyTest_get();
  return test ? static_cast<int32_t>(test->Phase_get()) : 0;
}

int32_t TestCodeOf(const IAutoTest& leaf) {
  auto test = leaf.SafetyTest_get();
  return test ? static_cast<int32_t>(test->TestCode_get()) : 0;
}

void StopCheck(const CAutoRunSetup& cas, const char* source) {
  if (cas.State_get() != 0) RaiseStop(source);
}

void RaiseStop(const char* source) {
  throw platform::ComError(MPlugInErrors::errStopRun, source,
                           MPlugInErrors::Messages().at(MPlugInErrors::errStopRun));
}

void ApplyOptions(const std::shared_ptr<host_api::ITestElement>& element) {
  if (element && MGlobalVTI::Driver()) MGlobalVTI::ApplyElementOptions(element);
}

std::shared_ptr<CModuleSetup> SelectionOf(const std::vector<std::shared_ptr<CModuleEntry>>& entries,
                                          int32_t nomenclature) {
  auto selection = std::make_shared<CModuleSetup>();
  selection->Nomenclature_let(nomenclature);
  // Any id other than 0 makes the setup keep the module's own id instead of giving it a new
  // one: the objects are shared with the device's setup and must not change.
  constexpr int32_t keepOwnId = -1;
  for (const auto& entry : entries) {
    if (entry) selection->Add(entry, keepOwnId);
  }
  return selection;
}

}  // namespace plugin::MRunSteps
