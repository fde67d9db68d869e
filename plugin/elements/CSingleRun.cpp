#include "plugin/elements/CSingleRun.h"

#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"
#include "driver/CTrxVti.h"
#include "host_api/IMeasurement.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/MSharedTools.h"
#include "plugin/elements/CTestGroup.h"
#include "plugin/elements/CTestSingle.h"
#include "plugin/elements/MElementRun.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/guide/FMultiTest.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/results/CMeasurement.h"
#include "plugin/results/CResultData.h"
#include "plugin/results/FECGResult.h"

namespace plugin {

namespace {

using namespace MElementRun::Decision;

// Test id of the protective-earth test whose every reading carries its point number.
constexpr int32_t PointsTestID = 300;
constexpr int32_t EcgPassed = FECGResult::AnswerPass;
constexpr int32_t EcgFailed = FECGResult::AnswerFail;

platform::forms::Form* guideForm() {
  auto guide = MGlobalTestGuide::CurrentTestGuide();
  return guide ? guide->GuideForm() : nullptr;
}

// The nearest group above `element` that measures several protective-earth points.
bool measuresSeveralPoints(const host_api::ITestElement& element) {
  for (auto parent = element.Parent_get(); parent; parent = parent->Parent_get()) {
    if (!std::dynamic_pointer_cast<CTestGroup>(parent)) continue;
    auto config = std::dynamic_pointer_cast<CConfigTestGroup>(parent->Configuration_get());
    if (config && config->Test_get() && config->Test_get()->MultiplePETests_get()) return true;
  }
  return false;
}

}  // namespace

CSingleRun::CSingleRun(CTestSingle& element, CAutoRunSetup& setup)
    : m_element(element),
      m_self(std::dynamic_pointer_cast<host_api::ITestElement>(element.shared_from_this())),
      m_setup(setup),
      m_reading(element, setup.TestSetup_get()) {}

int32_t CSingleRun::Run() {
  auto test = m_element.SafetyTest_get();
  m_counter = 0;
  for (;;) {
    auto result = MElementRun::RunOnDriver(m_self, test, m_setup, CTestSingle::ClassName);
    auto m = m_reading.Create(*result, m_counter);
    const int32_t code = decide(m);
    if (code == Accept) {
      accept(*result, m);
    } else if (code == Stop) {
      MElementRun::StopRun(CTestSingle::ClassName);
    } else if (code == Repeat) {
      keepBeforeRepeat(*result);
      continue;
    }
    return result->State_get();
  }
}

int32_t CSingleRun::decide(const std::shared_ptr<CMeasurement>& m) {
  // A test the driver did not perform has nothing to judge or keep.
  if (!m) return Accept;
  const auto code = m_element.SafetyTest_get()->TestCode_get();
  if (m->Status_get() == host_api::ResultStatus::Failed) {
    return m_setup.HaltOnFailure(m_self, m);
  }
  if (code == vti::etcProtEarth) {
    return askForAnotherPoint(m);
  }
  if (code == vti::etcECGTest) return askEcgVerdict(*m);
  return Accept;
}

int32_t CSingleRun::askForAnotherPoint(const std::shared_ptr<CMeasurement>& m) {
  if (!measuresSeveralPoints(*m_self)) return Accept;
  FMultiTest form;
  form.Topmost_let(MSharedTools::TestGuideOnTop());
  form.Initialize(m_self, m, m_element.KeepResults_get());
  const int32_t answer = form.Display(guideForm());
  m_element.KeepResults_let(form.KeepResults_get());
  return answer;
}

int32_t CSingleRun::askEcgVerdict(CMeasurement& m) {
  if (auto driver = MGlobalVTI::Driver()) {
    m.Description_let(MGlobalVTI::WaveformName(driver->TestOptions_get()->WaveformType_get()));
  }
  FECGResult form;
  form.Topmost_let(MSharedTools::TestGuideOnTop());
  form.Initialize(m_element.Result_get());
  const int32_t answer = form.Display(guideForm());
  // The verdict is the reading of a pass/fail record: it is what views and reports show.
  if (answer == EcgPassed || answer == EcgFailed) {
    const bool passed = answer == EcgPassed;
    m.Value_let(platform::Variant(passed));
    m.Status_let(passed ? host_api::ResultStatus::Passed : host_api::ResultStatus::Failed);
    return Accept;
  }
  return answer;
}

void CSingleRun::accept(const vti::CTrxTestResult& result, std::shared_ptr<CMeasurement> m) {
  auto data = m_element.RunResult();
  // Once points are numbered, the accepted reading takes the number after the kept ones, so it
  // never lands on (and merges into) the last kept point.
  if (m && (m_counter != 0 || m_element.TestID_get() == PointsTestID)) {
    m = m_reading.Create(result, m_counter + 1);
  }
  if (m) data->AddMeasurement(m);
  reportKept();
}

void CSingleRun::keepBeforeRepeat(const vti::CTrxTestResult& result) {
  if (!m_element.KeepResults_get()) {
    m_counter = 0;
    m_element.ResetResult(CTestSingle::ResetRemove);
    return;
  }
  m_element.RunResult()->AddMeasurement(m_reading.Create(result, m_counter + 1));
  reportKept();
  ++m_counter;
}

void CSingleRun::reportKept() { MElementRun::ReportKept(m_self, *m_element.RunResult(), m_setup); }

}  // namespace plugin
