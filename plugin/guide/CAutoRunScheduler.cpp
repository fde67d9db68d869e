#include "plugin/guide/CAutoRunScheduler.h"

#include <optional>
#include <utility>

#include "driver/CTrxVti.h"
#include "driver/TrxTypes.h"
#include "host_api/ITestContainer.h"
#include "host_api/ITestElement.h"
#include "host_api/ITestRun.h"
#include "platform/ComError.h"
#include "platform/ErrorBoundary.h"
#include "platform/forms/MessageBox.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/config/MModuleFilters.h"
#include "plugin/core/CErrorBuffer.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/guide/CAutoRunSetup.h"
#include "plugin/guide/CRunIec.h"
#include "plugin/guide/CRunIecOptimized.h"
#include "plugin/guide/CRunModSep.h"
#include "plugin/guide/CRunModSepOptimized.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/guide/MRunSteps.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/results/CResultTestGroup.h"

namespace plugin {

namespace {

constexpr const char* Source = "CAutoRunScheduler";

// Puts back the setup of an enclosing run when a nested run ends, however it ends.
class CurrentSetup {
 public:
  CurrentSetup(CAutoRunSetup*& slot, CAutoRunSetup& setup)
      : m_slot(slot), m_previous(std::exchange(slot, &setup)) {}
  ~CurrentSetup() { m_slot = m_previous; }
  CurrentSetup(const CurrentSetup&) = delete;
  CurrentSetup& operator=(const CurrentSetup&) = delete;

 private:
  CAutoRunSetup*& m_slot;
  CAutoRunSetup* m_previous;
};

bool driverAborted() {
  auto driver = MGlobalVTI::Driver();
  return driver && driver->FlagAbort();
}

bool holdsResults(const CResultTestGroup& result) {
  return result.Status_get() == 1 || result.Status_get() == 2;
}

platform::forms::Form* guideForm() {
  auto guide = MGlobalTestGuide::CurrentTestGuide();
  return guide ? guide->GuideForm() : nullptr;
}

}  // namespace

CAutoRunScheduler::CAutoRunScheduler() = default;
CAutoRunScheduler::~CAutoRunScheduler() = default;

std::unique_ptr<IRunner> CAutoRunScheduler::ChooseStrategy(const IAutoTest& iat) {
  const auto* element = dynamic_cast<const host_api::ITestElement*>(&iat);
  auto configuration = element ? MModuleFilters::GroupConfiguration(*element) : nullptr;
  if (!configuration) return std::make_unique<CRunIec>();
  const bool optimized = configuration->Test_get() && configuration->Test_get()->Optimized_get();
  const bool separately =
      configuration->Modules_get() && configuration->Modules_get()->TestSeparately_get();
  if (separately) {
    if (optimized) return std::make_unique<CRunModSepOptimized>();
    return std::make_unique<CRunModSep>();
  }
  if (optimized) return std::make_unique<CRunIecOptimized>();
  return std::make_unique<CRunIec>();
}

void CAutoRunScheduler::Run(const std::shared_ptr<IAutoTest>& iat, host_api::ITestRun* testRun) {
  m_ownSetup = std::make_unique<CAutoRunSetup>();
  m_ownSetup->Initialize(testRun, iat);
  runWith(iat, *m_ownSetup);
}

void CAutoRunScheduler::Run(const std::shared_ptr<IAutoTest>& iat, CAutoRunSetup& setup) {
  runWith(iat, setup);
}

void CAutoRunScheduler::runWith(const std::shared_ptr<IAutoTest>& iat, CAutoRunSetup& setup) {
  if (!iat) return;
  CurrentSetup current(m_setup, setup);
  std::optional<platform::ComError> failure;
  try {
    auto strategy = ChooseStrategy(*iat);
    setup.Calibrated_let(m_calibrated);
    strategy->Run(iat, setup);
  } catch (...) {
    failure = MErrorConvention::CurrentError(Source);
  }
  // A lead zeroed before the failure stays zeroed.
  m_calibrated = setup.Calibrated_get();
  // What the members got before a failure still makes up the group's result.
  try {
    if (iat->IsGroup_get()) collectGroupResults(iat, setup);
  } catch (...) {
    if (!failure) failure = MErrorConvention::CurrentError(Source);
  }
  if (failure) {
    CErrorBuffer::instance().Initialize(*failure);
    handleFailure();
  }
}

void CAutoRunScheduler::collectGroupResults(const std::shared_ptr<IAutoTest>& iat,
                                            CAutoRunSetup& setup) {
  auto element = MRunSteps::ElementOf(iat);
  if (!element) return;
  for (const auto& child : MRunSteps::Children(iat)) {
    auto test = MRunSteps::PlugInTest(child);
    if (test && test->IsGroup_get()) collectGroupResults(test, setup);
  }
  host_api::ITestRun* testRun = setup.TestSetup_get();
  if (auto result = std::dynamic_pointer_cast<CResultTestGroup>(element->Result_get())) {
    auto standards = testRun ? testRun->SelectedStandards_get() : nullptr;
    result->CollectMemberResults(std::dynamic_pointer_cast<host_api::ITestContainer>(iat),
                                 standards.get(), driverAborted);
    auto guide = MGlobalTestGuide::CurrentTestGuide();
    if (holdsResults(*result)) {
      if (guide) guide->AddResult(element);
    } else {
      iat->ResetResult(2);
    }
  }
  if (testRun) testRun->ElementPerformed(*element);
}

void CAutoRunScheduler::handleFailure() const {
  const platform::ComError error = CErrorBuffer::instance().ErrObj_get();
  if (error.number() == MPlugInErrors::errStopRun) throw error;
  // The driver has shown its failure already; the run just ends.
  if (error.number() == vti::errVTI_Error) return;
  platform::IgnoreErrors([&] {
    platform::forms::msgBox(error.description(), PlugInId, platform::forms::MessageButtons::OK,
                            platform::forms::MessageIcon::Warning, guideForm());
  });
  MRunSteps::RaiseStop(Source);
}

void CAutoRunScheduler::StopTest(int32_t state) {
  platform::IgnoreErrors([&] {
    if (m_setup) m_setup->State_let(state);
  });
  platform::IgnoreErrors([] {
    if (auto driver = MGlobalVTI::Driver()) driver->Abort();
  });
}

}  // namespace plugin
