#include "plugin/elements/CSingleReading.h"

#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestResult.h"
#include "driver/CTrxVti.h"
#include "host_api/HostServices.h"
#include "host_api/ITestInformation.h"
#include "host_api/ITestRun.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/elements/CTestSingle.h"
#include "plugin/elements/MElementRun.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/limits/CLimitData.h"
#include "plugin/limits/MTestLimits.h"
#include "plugin/results/CMeasurement.h"

namespace plugin {

namespace {

constexpr const char* SingleKey = "::ST";
constexpr const char* NumberedDescription = "21920::PE Resistance";
// What the instrument reports instead of a value when the resistance is beyond its range.
constexpr const char* OverRange = "OL";

std::string suffixOfReading() {
  auto driver = MGlobalVTI::Driver();
  return driver && driver->TestOptions_get()
             ? MTestLimits::LimitKeySuffix(*driver->TestOptions_get())
             : std::string();
}

}  // namespace

CSingleReading::CSingleReading(const CTestSingle& element, host_api::ITestRun* testRun)
    : m_element(element), m_testRun(testRun) {}

std::string CSingleReading::key(int32_t counter) const {
  std::string key = SingleKey + suffixOfReading();
  if (counter != 0) key += std::to_string(counter);
  return key;
}

std::string CSingleReading::description(int32_t counter) const {
  if (counter == 0) {
    auto info = m_element.Info_get();
    return info ? info->Name_get() : std::string();
  }
  return host_api::hostServices().application->Translate(PlugInId, NumberedDescription) +
         std::to_string(counter);
}

std::shared_ptr<CMeasurement> CSingleReading::typed(const vti::CTrxTestResult& result,
                                                    int32_t counter) const {
  auto m = std::make_shared<CMeasurement>();
  const int32_t code = m_element.SafetyTest_get()->TestCode_get();
  if (result.ValueUnknown_get() == OverRange) {
    m->Init(key(counter), description(counter), code, nullptr, OverRange, false);
    m->Value_let(platform::Variant(std::string(OverRange)));
  } else {
    m->Init(key(counter), description(counter), code, nullptr, {}, false);
    m->Value_let(platform::Variant(result.Value_get()));
  }
  return m;
}

std::shared_ptr<CMeasurement> CSingleReading::Create(const vti::CTrxTestResult& result,
                                                     int32_t counter) const {
  if (result.State_get() == vti::etsAborted) MElementRun::RaiseStop(CTestSingle::ClassName);
  if (result.State_get() == vti::etsNotPerformed) return nullptr;
  auto m = typed(result, counter);
  m->Unit_let(result.UnitSuffix_get() + m_element.Unit_get());
  m->Flags_let(result.State_get() == vti::etsOverflow ? "O" : "");
  auto standards = m_testRun ? m_testRun->SelectedStandards_get() : nullptr;
  m->Evaluate(m_element.LimitData().get(), standards.get());
  return m;
}

}  // namespace plugin
