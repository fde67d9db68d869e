#include "plugin/elements/MElementRun.h"

#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestResult.h"
#include "driver/CTrxVti.h"
#include "host_api/IInstrumentData.h"
#include "host_api/ITestElement.h"
#include "host_api/ITestRun.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/results/CResultData.h"

namespace plugin::MElementRun {

namespace {

constexpr const char* StopText = "The test run was stopped.";

platform::forms::Form* guideForm() {
  auto guide = MGlobalTestGuide::CurrentTestGuide();
  return guide ? guide->GuideForm() : nullptr;
}

}  // namespace

void Highlight(const std::shared_ptr<host_api::ITestElement>& element) {
  if (auto guide = MGlobalTestGuide::CurrentTestGuide()) guide->HighlightTestElement(element);
}

void PrepareSafetyTest(vti::CTrxSafetyTest& test, CAutoRunSetup& setup) {
  auto modules = setup.Modules_get();
  const bool aami = modules && modules->Nomenclature_get() == vti::enomAAMI;
  setup.LeadSTDSelection_let(aami ? 1 : 0);
  test.LEADSTD_let(aami ? vti::enomAAMI : vti::enomIEC);
  test.AP_let(setup.AppliedParts_get());
}

std::shared_ptr<vti::CTrxTestResult> RunOnDriver(
    const std::shared_ptr<host_api::ITestElement>& element,
    const std::shared_ptr<vti::CTrxSafetyTest>& test, CAutoRunSetup& setup,
    const std::string& source) {
  auto driver = MGlobalVTI::OpenDriver(setup.TestSetup_get(), element);
  // Without a connection there is no reading to take; carrying on would judge an empty result.
  if (!driver) RaiseStop(source);
  driver->RunSafetyTest(test, guideForm());
  return driver->TestResult_get();
}

void ReportKept(const std::shared_ptr<host_api::ITestElement>& element, CResultData& result,
                CAutoRunSetup& setup) {
  // The readings name the instrument that took them by the number under which the run
  // registered it, so a report can tell instruments apart.
  auto driver = MGlobalVTI::Driver();
  if (driver && driver->MtiData_get()) result.MTIID_let(driver->MtiData_get()->Index());
  if (auto guide = MGlobalTestGuide::CurrentTestGuide()) guide->AddResult(element);
  if (auto run = setup.TestSetup_get()) run->ElementPerformed(*element);
}

void StopRun(const std::string& source) {
  if (auto driver = MGlobalVTI::Driver()) {
    MErrorConvention::IgnoreErrors([&] { driver->StopFlagForAPScreen_let(true); });
  }
  RaiseStop(source);
}

void RaiseStop(const std::string& source) {
  throw platform::ComError(MPlugInErrors::errStopRun, source, StopText);
}

void RethrowRunError(const std::string& source) {
  try {
    throw;
  } catch (const platform::ComError& error) {
    if (error.number() == MPlugInErrors::errStopRun || error.number() == vti::errVTI_UserAbort) {
      RaiseStop(source);
    }
    throw;
  } catch (...) {
    throw MErrorConvention::CurrentError(source);
  }
}

}  // namespace plugin::MElementRun
