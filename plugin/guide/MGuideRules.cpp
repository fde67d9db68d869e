#include "plugin/guide/MGuideRules.h"

#include "driver/TrxTypes.h"
#include "host_api/ITestContainer.h"
#include "host_api/ITestElement.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/config/MModuleFilters.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/results/CResultData.h"
#include "plugin/results/CResultTestGroup.h"

namespace plugin::MGuideRules {

namespace {
constexpr int32_t kEcgTestId = 1900;
}  // namespace

// The result record of an element as the element keeps it: a group's ("..00") is a group
// result, any other a plain one. Either may carry the module setup its readings were taken with.
std::shared_ptr<CModuleSetup> ResultModuleSetup(const host_api::ITestElement& element) {
  auto result = element.Result_get();
  if (element.TestID_get() % 100 == 0) {
    auto group = std::dynamic_pointer_cast<CResultTestGroup>(result);
    return group && group->Summary_get() ? group->ModuleSetup_get() : nullptr;
  }
  auto data = std::dynamic_pointer_cast<CResultData>(result);
  return data && data->MeasurementCount_get() > 0 ? data->ModuleSetup_get() : nullptr;
}

// The elements whose readings carry no module setup of their own: resistance and ECG tests.
bool WithoutModules(int32_t testId) {
  return (testId >= 300 && testId <= 799) || testId == kEcgTestId;
}

std::shared_ptr<CConfigTestGroup> GoverningConfiguration(
    const std::shared_ptr<host_api::ITestElement>& element) {
  if (auto own = std::dynamic_pointer_cast<CConfigTestGroup>(element->Configuration_get())) {
    return own;
  }
  return MModuleFilters::EnclosingGroupConfiguration(element);
}

bool HoldsForeignTestInOptimizedGroup(const std::shared_ptr<host_api::ITestElement>& element) {
  auto container = std::dynamic_pointer_cast<host_api::ITestContainer>(element);
  if (!container) return false;
  auto config = std::dynamic_pointer_cast<CConfigTestGroup>(element->Configuration_get());
  const bool optimized = config && config->Test_get() && config->Test_get()->Optimized_get();
  for (const auto& child : container->NewEnum()) {
    if (!child) continue;
    if (optimized && child->PlugInID_get() != PlugInId) return true;
    if (HoldsForeignTestInOptimizedGroup(child)) return true;
  }
  return false;
}

// Errors that end a run without a word from the guide: the driver has shown its own message,
// or the operator stopped the run.
bool EndsSilently(int32_t number) {
  return number == vti::errVTI_Error || number == vti::errVTI_UserAbort ||
         number == MPlugInErrors::errStopRun;
}

bool HasOwnDescription(int32_t number) {
  return number == errorNumber(0x80047730) || number == errorNumber(0x80047737);
}

}  // namespace plugin::MGuideRules
