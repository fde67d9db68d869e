#include "plugin/guide/FTestGuide.h"

#include <exception>
#include <iterator>
#include <utility>

#include "host_api/HostServices.h"
#include "host_api/IContentPane.h"
#include "host_api/IGuideToolbar.h"
#include "host_api/ITestElement.h"
#include "host_api/ITestRun.h"
#include "platform/MessageText.h"
#include "platform/Variant.h"
#include "platform/forms/Grid.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MessageBox.h"
#include "plugin/config/CCfgButtonOptions.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CConfigResistance.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/guide/CAutoRunScheduler.h"
#include "plugin/guide/FAbortOption.h"
#include "plugin/guide/MGuideRules.h"
#include "plugin/guide/MModuleSetupList.h"
#include "plugin/instrument/FCalibrate.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/IPlugInReference.h"
#include "plugin/results/XResultECG.h"
#include "plugin/results/XResultView.h"

namespace plugin {

namespace {

using host_api::GuideToolbarState;
namespace Button = host_api::GuideButton;

constexpr const char* kResultList = "lvwResult";
constexpr const char* kEcgGrid = "grdECG";
constexpr const char* kModuleList = "lvwModules";
constexpr const char* kResultsPage = "Results";
constexpr const char* kModulesPage = "Modules";
constexpr const char* kLeadStrip[] = {"lblLeadNames", "lblLeadLines", "lblLeadSockets"};

const std::string& source() {
  static const std::string progId = MErrorConvention::ProgID("FTestGuide");
  return progId;
}

}  // namespace

FTestGuide::FTestGuide() : Form(FormName) { buildControls(); }

FTestGuide::~FTestGuide() {
  // A guide that goes while its connection is open must not leave the analyzer remote with its
  // outlet on.
  if (m_driverOpenedByGuide) platform::IgnoreErrors([&] { MGlobalVTI::CloseDriver(nullptr); });
}

void FTestGuide::buildControls() {
  auto& classes = host_api::hostServices().classes;
  m_toolbar = classes.newGuideToolbar ? classes.newGuideToolbar() : nullptr;
  m_contentPane = classes.newContentPane ? classes.newContentPane() : nullptr;
  if (!m_toolbar || !m_contentPane) {
    throw platform::ComError(MPlugInErrors::errElementRunUnavailable, source(),
                             "The host offers no test guide toolbar or content pane");
  }
  m_toolbar->Attach(*this);
  m_toolbar->onButtonClick([this](int32_t id) { onToolbarButton(id); });
  m_contentPane->Attach(*this);
  m_resultList = &add<platform::forms::ListView>(kResultList);
  m_ecgGrid = &add<platform::forms::Grid>(kEcgGrid);
  m_moduleList = &add<platform::forms::ListView>(kModuleList);
  for (const char* name : kLeadStrip) add<platform::forms::Label>(name);
  m_moduleList->addColumn("Module", translate("20330::Module"), 20);
  m_moduleList->addColumn("Class", translate("20331::Class"), 6);
  m_moduleList->addColumn("Leads", translate("20332::Sockets"), 16);
  m_contentPane->onPageEvent([this](const std::string& key, int32_t event) {
    if (key == kModulesPage && event == host_api::ContentPaneEvent::PageShown) showModulePage();
  });
}

void FTestGuide::Initialize(const std::shared_ptr<host_api::ITestElement>& iteOwner,
                            host_api::ITestRun* itsSetup) {
  MErrorConvention::Guarded(source(), {}, [&] {
    m_owner = iteOwner;
    m_testRun = itsSetup;
    Caption_let(displayName(iteOwner, "TEST GUIDE"));
    if (auto entry = PlugIn()) m_dutModuleSetup = entry->DUTModuleSetup_get();
    // Until an element is shown the guide offers the device's modules, never none.
    m_moduleSetup =
        m_dutModuleSetup ? m_dutModuleSetup->CloneSetup() : std::make_shared<CModuleSetup>();
    m_ecg = iteOwner && iteOwner->TestID_get() == EcgTestId;
    m_resultList->Visible_let(!m_ecg);
    m_ecgGrid->Visible_let(m_ecg);
    m_contentPane->AddPage(kResultsPage, translate("20333::Results"), "TG:RESULTS",
                           {m_ecg ? kEcgGrid : kResultList});
    auto test = std::dynamic_pointer_cast<IAutoTest>(iteOwner);
    const int32_t testId = iteOwner ? iteOwner->TestID_get() : 0;
    const bool modules = (test && test->RequireModules_get()) || testId == 100 || testId == 800;
    if (modules) {
      m_contentPane->AddPage(kModulesPage, translate("20306::Module Setup"), "TG:MODSETUP",
                             {kModuleList});
    } else {
      m_moduleList->Visible_let(false);
    }
    m_leadStripShown = modules;
    showLeadStrip();
    m_resultView = std::make_unique<XResultView>(*m_resultList);
    m_resultEcg = std::make_unique<XResultECG>(*m_ecgGrid);
    m_resultView->Initialize(m_moduleSetup);
    m_toolbar->AddCustomButton(CalibrateButton, translate("20307::Calibrate..."));
    m_toolbar->TestRun_set(itsSetup);
    m_toolbar->Owner_set(iteOwner);
  });
}

int32_t FTestGuide::Perform(const std::shared_ptr<host_api::ITestElement>& iteCurrent) {
  return MErrorConvention::Guarded(source(), {}, [&] {
    m_current = iteCurrent;
    if (!m_testRun || !iteCurrent) return m_guideResult;
    Caption_let(displayName(iteCurrent, Caption_get()));
    chooseModuleSetup(iteCurrent);
    showIdle();
    applyButtonOptions(iteCurrent);
    m_guideResult = GuideResult::Waiting;
    // The operator's choice ends the wait: every button that sets a result hides the guide.
    show(platform::forms::FormShow::Modal);
    return m_guideResult;
  });
}

void FTestGuide::chooseModuleSetup(const std::shared_ptr<host_api::ITestElement>& element) {
  std::shared_ptr<CModuleSetup> chosen;
  if (!MGuideRules::WithoutModules(element->TestID_get()))
    chosen = MGuideRules::ResultModuleSetup(*element);
  if (chosen) {
    m_resultModuleSetup = chosen;
    m_moduleSetupLocked = false;
  } else {
    auto config = MGuideRules::GoverningConfiguration(element);
    auto options = config ? config->Modules_get() : nullptr;
    chosen = options ? options->ModuleSeup_get() : nullptr;
    if (!chosen || chosen->Count_get() == 0) chosen = m_dutModuleSetup;
    m_moduleSetupLocked = !(options && options->OverridePatientLead_get());
  }
  // Only the guide's copy is locked: the element's configured setup (and the plug-in's device
  // setup) must stay editable where they belong.
  m_moduleSetup = chosen ? chosen->CloneSetup() : std::make_shared<CModuleSetup>();
  applyModuleLock();
}

void FTestGuide::applyButtonOptions(const std::shared_ptr<host_api::ITestElement>& element) {
  std::shared_ptr<CCfgButtonOptions> buttons;
  if (auto resistance =
          std::dynamic_pointer_cast<CConfigResistance>(element->Configuration_get())) {
    buttons = resistance->Buttons_get();
  } else if (auto group = MGuideRules::GoverningConfiguration(element)) {
    buttons = group->Buttons_get();
  }
  // Previous and next are always offered: they are how the operator leaves an element that
  // has been run. The options decide the buttons that pass over elements.
  m_toolbar->ButtonEnabled_let(Button::RunChildren, !buttons || buttons->EnableStep_get());
  m_toolbar->ButtonEnabled_let(Button::NotPerformed, !buttons || buttons->EnableNA_get());
  m_toolbar->ButtonEnabled_let(Button::Skip, !buttons || buttons->EnableSkip_get());
}

void FTestGuide::showIdle() {
  m_toolbar->State_let(GuideToolbarState::Idle);
  m_contentPane->ShowPage(kResultsPage);
  refreshResults();
  showLeadStrip();
}

// The sockets the device's modules take, always in sight while modules matter: the operator
// checks the leads against it before starting.
void FTestGuide::showLeadStrip() {
  const auto strip = MModuleSetupList::LeadStrip(m_moduleSetup.get());
  const std::string lines[] = {strip.names, strip.lines, strip.sockets};
  for (size_t i = 0; i < std::size(kLeadStrip); ++i) {
    auto& label = get<platform::forms::Label>(kLeadStrip[i]);
    label.Visible_let(m_leadStripShown);
    label.Caption_let(lines[i]);
  }
}

void FTestGuide::refreshResults() {
  if (m_ecg) {
    if (m_current && m_current->Result_get()) m_resultEcg->ShowTestResult(m_current->Result_get());
    return;
  }
  m_resultView->Clear();
  m_resultView->Initialize(m_moduleSetup);
  if (!m_current) return;
  m_resultView->ShowResults(m_current, m_moduleSetup);
  m_resultView->HighlightTestElement(m_current);
}

void FTestGuide::onToolbarButton(int32_t id) {
  switch (id) {
    case Button::Abort:
      return abortTest();
    case Button::Previous:
      return leaveWith(GuideResult::Previous);
    case Button::Next:
      return leaveWith(GuideResult::Next);
    case Button::RunChildren:
      return leaveWith(GuideResult::RunChildren);
    case Button::Skip:
      return leaveWith(GuideResult::Skipped);
    case Button::NotPerformed:
      if (!m_running && m_moduleSetup) m_resultModuleSetup = m_moduleSetup->CloneSetup();
      return leaveWith(GuideResult::NotPerformed);
    case Button::Stop:
      if (m_running) StopTest(1);
      return;
    case Button::Start:
      return startOrStop();
    case CalibrateButton:
      if (!m_running) calibrate();
      return;
    default:
      return;
  }
}

void FTestGuide::leaveWith(int32_t guideResult) {
  if (m_running) return;
  m_guideResult = guideResult;
  hide();
}

void FTestGuide::abortTest() {
  bool confirmed = false;
  {
    FAbortOption question;
    confirmed = question.QueryAbortTest(this);
  }
  if (!confirmed) return;
  if (m_running) StopTest(1);
  m_guideResult = GuideResult::Aborted;
  if (m_testRun) m_testRun->Status_let(host_api::RunStatus::Aborted);
  // While a run goes on the guide stays until the run has ended in order; the end of the run
  // hides it (the test run says aborted).
  if (!m_running) hide();
}

void FTestGuide::calibrate() {
  FCalibrate form;
  form.Initialize();
  form.Display(this);
  m_calibrated = !form.Cancel_get();
}

void FTestGuide::startOrStop() {
  if (m_running) return StopTest(1);
  if (m_toolbar->ButtonValue_get(Button::Next)) {
    m_guideResult = GuideResult::Next;
    hide();
    return;
  }
  runAutomatic();
}

void FTestGuide::StopTest(int32_t state) {
  if (!m_running) return;
  m_stopRequested = true;
  m_toolbar->StatusText_let(translate("20303::Stopping test. Please wait..."));
  m_toolbar->State_let(GuideToolbarState::Stopping);
  if (m_scheduler) m_scheduler->StopTest(state);
  m_resetTheLeadValue = true;
  m_guideResult = GuideResult::Stopped;
  if (m_testRun) m_testRun->Status_let(host_api::RunStatus::Stopped);
}

// The automatic run goes on inside the start button's handler; stop and abort come back in
// through the toolbar while it waits. Whatever ends it, the end steps run.
void FTestGuide::runAutomatic() {
  startRun();
  std::exception_ptr unshown;
  try {
    warnForeignTests();
    openDriverForRun();
    m_testRun->Status_let(0);
    m_toolbar->StatusText_let(translate("20302::Performing safety test. Press 'Stop' to cancel."));
    m_toolbar->State_let(GuideToolbarState::Running);
    auto test = std::dynamic_pointer_cast<IAutoTest>(m_current);
    if (test && !m_stopRequested) {
      test->ResetResult(0);
      ShowResults(m_current);
      runScheduler(test);
    }
  } catch (...) {
    const platform::ComError error = MErrorConvention::CurrentError(source());
    // Not even a message that cannot be shown may keep the run from ending in order.
    try {
      showRunError(error);
    } catch (...) {
      unshown = std::current_exception();
    }
  }
  m_scheduler.reset();
  if (m_testRun->Status_get() == host_api::RunStatus::Aborted) {
    m_guideResult = GuideResult::Aborted;
  }
  endRun();
  if (unshown) std::rethrow_exception(unshown);
}

void FTestGuide::startRun() {
  m_running = true;
  m_endedEarly = false;
  m_stopRequested = false;
  // A new run starts without the stop of the one before: only its own end decides the result.
  m_guideResult = GuideResult::Waiting;
  applyModuleLock();
  m_contentPane->ShowPage(kResultsPage);
  enableControls(false);
  m_toolbar->State_let(GuideToolbarState::Initialising);
  m_toolbar->StatusText_let(translate("20301::Initializing TRX440. Please wait..."));
}

void FTestGuide::warnForeignTests() {
  if (!MGuideRules::HoldsForeignTestInOptimizedGroup(m_current)) return;
  platform::forms::msgBox(
      translate("20308::Non-TRX440 test found within an optimized test sequence. It will be "
                "ignored."),
      Caption_get(), platform::forms::MessageButtons::OK, platform::forms::MessageIcon::Information,
      this);
}

void FTestGuide::openDriverForRun() {
  if (MGlobalVTI::Driver()) return;
  auto driver = MGlobalVTI::OpenDriver(m_testRun, m_current);
  // A connection that could not be made has been reported already; running on would only
  // make every test try again and report it once more.
  if (!driver) throw platform::ComError(MPlugInErrors::errStopRun, source(), "No connection");
  m_driverOpenedByGuide = true;
}

void FTestGuide::runScheduler(const std::shared_ptr<IAutoTest>& test) {
  m_scheduler = std::make_shared<CAutoRunScheduler>();
  m_scheduler->Calibrated_let(m_calibrated);
  // The calibration state comes back also when the run fails half-way: a zeroed lead stays
  // zeroed.
  try {
    m_scheduler->Run(test, m_testRun);
  } catch (...) {
    m_calibrated = m_scheduler->Calibrated_get();
    throw;
  }
  m_calibrated = m_scheduler->Calibrated_get();
}

void FTestGuide::showRunError(const platform::ComError& error) {
  m_endedEarly = true;
  const int32_t number = error.number();
  if (MGuideRules::EndsSilently(number)) return;
  std::string text;
  auto icon = platform::forms::MessageIcon::Warning;
  if (MGuideRules::HasOwnDescription(number)) {
    text = error.description();
    icon = platform::forms::MessageIcon::Error;
  } else {
    text = translate("29540::Unknown error number %%1 occured.\r\nDescription: %%2",
                     {platform::Variant(number), platform::Variant(error.description())});
  }
  platform::forms::msgBox(text, Caption_get(), platform::forms::MessageButtons::OK, icon, this);
}

void FTestGuide::endRun() {
  m_toolbar->StatusText_let(translate("20304::Resetting TRX440. Please wait..."));
  m_toolbar->State_let(GuideToolbarState::Stopping);
  if (m_driverOpenedByGuide) {
    m_driverOpenedByGuide = false;
    platform::IgnoreErrors([&] { MGlobalVTI::CloseDriver(this); });
  }
  m_toolbar->State_let(GuideToolbarState::Idle);
  enableControls(true);
  // A run that ended before its end says so where the operator looks next; the reason itself
  // was shown once (or was the operator's own stop).
  const bool stopped = m_endedEarly || m_stopRequested;
  m_toolbar->StatusText_let(stopped ? translate("29513::The test run was stopped.") : "");
  if (m_moduleSetup) m_resultModuleSetup = m_moduleSetup->CloneSetup();
  showLeadStrip();
  m_resetTheLeadValue = true;
  m_running = false;
  applyModuleLock();
  if (m_testRun->Status_get() == host_api::RunStatus::Aborted) hide();
}

void FTestGuide::enableControls(bool enabled) {
  if (auto* tabs = find("tbsContent")) tabs->Enabled_let(enabled);
  m_moduleList->Enabled_let(enabled);
}

// The module page shows the setup as a list; it cannot be edited here, so the lock lives on the
// setup itself, where every reader of the guide's setup sees it.
void FTestGuide::showModulePage() { MModuleSetupList::Fill(*m_moduleList, m_moduleSetup.get()); }

void FTestGuide::applyModuleLock() {
  if (m_moduleSetup) m_moduleSetup->ReadOnly_let(m_running || m_moduleSetupLocked);
  if (m_contentPane->SelectedPage_get() == kModulesPage) showModulePage();
}

void FTestGuide::AddResult(const std::shared_ptr<host_api::ITestElement>& ite) {
  if (!ite) return;
  if (m_ecg && ite->TestID_get() == EcgTestId) {
    if (ite->Result_get()) m_resultEcg->ShowTestResult(ite->Result_get());
  } else if (m_resultView) {
    m_resultView->AddResult(ite);
  }
}

void FTestGuide::ShowResults(const std::shared_ptr<host_api::ITestElement>& ite) {
  if (!ite) return;
  if (m_ecg) {
    if (ite->Result_get()) m_resultEcg->ShowTestResult(ite->Result_get());
  } else if (m_resultView) {
    m_resultView->ShowResults(ite, m_moduleSetup);
  }
}

void FTestGuide::HighlightTestElement(const std::shared_ptr<host_api::ITestElement>& ite) {
  if (ite && m_resultView && !m_ecg) m_resultView->HighlightTestElement(ite);
}

platform::forms::AnswerableForm FTestGuide::Answerable() {
  return {FormName,
          {"xtbGuide", "tbsContent", kResultList, kModuleList},
          {"lblStatus", kResultList, kEcgGrid, kModuleList}};
}

std::string FTestGuide::translate(const std::string& text,
                                  const platform::Parameters& params) const {
  auto services = host_api::hostServicesSlot();
  if (!services || !services->application) {
    return platform::fillPlaceholders(platform::MessageText::parse(text).text, params);
  }
  return services->application->Translate(PlugInId, text, params);
}

std::string FTestGuide::displayName(const std::shared_ptr<host_api::ITestElement>& element,
                                    const std::string& fallback) const {
  auto info = element ? element->Info_get() : nullptr;
  std::string name = info ? info->Name_get() : std::string();
  return name.empty() ? fallback : name;
}

}  // namespace plugin
