#include "plugin/elements/CTestMulti.h"

#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestResult.h"
#include "host_api/HostServices.h"
#include "host_api/IMeasurement.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/config/MModuleFilters.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MSharedTools.h"
#include "plugin/elements/MElementRun.h"
#include "plugin/elements/MLeadKeys.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/guide/MModuleExpansion.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/results/CMeasurement.h"
#include "plugin/results/CResultData.h"

namespace plugin {

namespace {

using namespace MElementRun::Decision;

// Tests that take one reading of the modules together whatever the configuration says.
bool alwaysTogether(int32_t testId) { return testId == 820 || testId == 830 || testId == 850; }

// Tests whose owning test keeps the module setup of the shown results with its result.
bool keepsResultModules(int32_t testId) {
  const bool inRange = (testId >= 1101 && testId <= 1499) || (testId >= 1801 && testId <= 1899) ||
                       alwaysTogether(testId);
  return inRange && testId % 100 != 0;
}

std::vector<std::string> keysOf(const CResultData& data) {
  std::vector<std::string> keys;
  for (int32_t i = 1; i <= data.MeasurementCount_get(); ++i) {
    if (auto m = data.Item(i)) keys.push_back(m->Key_get());
  }
  return keys;
}

}  // namespace

CTestMulti::CTestMulti() : CTestLeaf(host_api::hostServices().classes.newElementCore()) {}

std::shared_ptr<CTestMulti> CTestMulti::Create() {
  return MErrorConvention::Guarded(MErrorConvention::ProgID(ClassName), {},
                                   [] { return std::shared_ptr<CTestMulti>(new CTestMulti()); });
}

std::shared_ptr<host_api::ITestElement> CTestMulti::Clone() const { return cloneAs<CTestMulti>(); }

std::shared_ptr<CConfigTestGroup> CTestMulti::governingConfiguration() {
  auto owner = MSharedTools::OwningElement(self());
  auto configuration =
      owner ? std::dynamic_pointer_cast<CConfigTestGroup>(owner->Configuration_get()) : nullptr;
  // A test deep in a template has no owning element; its nearest group governs it, as it does
  // for the expansion into leads, so that both agree on the patient-lead configuration.
  return configuration ? configuration : MModuleFilters::EnclosingGroupConfiguration(self());
}

void CTestMulti::restartWhenAsked() {
  auto guide = MGlobalTestGuide::CurrentTestGuide();
  const bool guideAsks = guide && guide->ResetTheLeadValue_get();
  if (!guideAsks && !m_resetTheVariables) return;
  if (guide) guide->ResetTheLeadValue_let(false);
  m_resetTheVariables = false;
  m_sequence.Restart();
}

bool CTestMulti::perLeadMode(const CConfigTestGroup* configuration) const {
  if (alwaysTogether(TestID_get()) || !configuration || !configuration->Test_get()) return false;
  return configuration->Test_get()->PLConfiguration_get() == vti::eepl_All;
}

int32_t CTestMulti::RunTest(CAutoRunSetup& setup) {
  return MElementRun::Guarded(ClassName, [&] {
    const bool perLead = perLeadMode(governingConfiguration().get());
    restartWhenAsked();
    int32_t state = 0;
    while (runOnce(setup, perLead, state) == Repeat) {
    }
    judgeCompletion();
    return state;
  });
}

int32_t CTestMulti::runOnce(CAutoRunSetup& setup, bool perLead, int32_t& state) {
  auto test = SafetyTest_get();
  MElementRun::Highlight(self());
  MElementRun::PrepareSafetyTest(*test, setup);
  test->LeadNo_let(setup.LeadNo_get());
  // A repeated reading is of the same lead: the sequence moves on only with a kept reading.
  const auto before = m_sequence.State_get();
  auto result = MElementRun::RunOnDriver(self(), test, setup, ClassName);
  state = result->State_get();
  CLeadReadings readings(*this, *result, setup);
  bool sequenced = false;
  const auto records = readingsOf(readings, setup, perLead, sequenced);
  int32_t code = Accept;
  for (const auto& record : records) {
    if (record->Status_get() != host_api::ResultStatus::Failed) continue;
    code = setup.HaltOnFailure(self(), record);
    break;
  }
  if (code == Repeat) m_sequence.State_let(before);
  if (code == Accept) keep(records, sequenced, setup);
  if (code == Stop) MElementRun::StopRun(ClassName);
  return code;
}

CLeadReadings::Records CTestMulti::readingsOf(const CLeadReadings& readings, CAutoRunSetup& setup,
                                              bool perLead, bool& sequenced) {
  if (perLead) {
    auto selected = setup.SelectedModules_get();
    auto work = CLeadSequence::WorkList(selected.get(), TestID_get());
    if (auto records = m_sequence.Step(work, readings, setup, TestID_get())) {
      sequenced = m_sequence.StartedModule();
      return *records;
    }
  }
  return readings.Collect({}, false);
}

void CTestMulti::keep(const CLeadReadings::Records& records, bool sequenced, CAutoRunSetup& setup) {
  auto data = RunResult();
  for (const auto& record : records) {
    std::string after;
    if (sequenced && data->MeasurementCount_get() > 0) {
      after = MLeadKeys::PreviousSubPosition(record->Key_get(), keysOf(*data));
    }
    data->AddMeasurement(record, after);
  }
  MElementRun::ReportKept(self(), *data, setup);
}

void CTestMulti::judgeCompletion() {
  auto data = std::dynamic_pointer_cast<CResultData>(Result_get());
  if (!data) return;
  bool failed = false;
  for (int32_t i = 1; i <= data->MeasurementCount_get(); ++i) {
    auto m = data->Item(i);
    failed = failed || (m && m->Status_get() == host_api::ResultStatus::Failed);
  }
  const int32_t expected = MModuleExpansion::CountTestConditions(self());
  // A failed reading is never hidden behind an unfinished sequence; and a test for which no
  // number of readings is known keeps the verdict of its readings.
  if (failed) {
    data->Status_let(host_api::ResultStatus::Failed);
  } else if (expected > 0) {
    data->Status_let(data->MeasurementCount_get() == expected ? host_api::ResultStatus::Passed
                                                              : host_api::ResultStatus::None);
  }
}

void CTestMulti::afterGuide(ITestGuide& guide) {
  auto owner = std::dynamic_pointer_cast<CTestElement>(MSharedTools::OwningElement(self()));
  if (owner && keepsResultModules(owner->TestID_get()) && owner->Result_get()) {
    owner->KeepResultModuleSetup(guide.ResultModuleSetupData_get());
  }
  if (guide.ResetTheLeadValue_get()) m_resetTheVariables = true;
}

}  // namespace plugin
