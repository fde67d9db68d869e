#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ComError.h"
#include "platform/MessageText.h"
#include "platform/forms/AnswerableForm.h"
#include "platform/forms/Form.h"
#include "plugin/guide/ITestGuide.h"

namespace host_api {
class IContentPane;
class IGuideToolbar;
}  // namespace host_api

namespace platform::forms {
class Grid;
class ListView;
}  // namespace platform::forms

namespace plugin {

class CAutoRunScheduler;
class CCfgButtonOptions;
class CModuleSetup;
class IAutoTest;
class XResultECG;
class XResultView;

// The window in which the operator follows and controls a run of the plug-in's elements: the
// host's toolbar and status line, the result view (the ECG view for the ECG element), and a page
// with the device's modules. Perform shows the guide modally and returns once the operator left
// it with a guide result; the automatic run goes on inside the start button's handler.
//
// Whatever ends a run, the run's end steps follow: the driver connection the guide opened is
// closed (analyzer local, outlet off), the toolbar goes back to idle and one message at most says
// why the run ended.
class FTestGuide : public platform::forms::Form, public ITestGuide {
 public:
  static constexpr const char* FormName = "FTestGuide";
  static constexpr int32_t CalibrateButton = 900;
  // The ECG element shows its readings in a grid of its own.
  static constexpr int32_t EcgTestId = 1900;

  FTestGuide();
  ~FTestGuide() override;

  // Takes the owner element, the host's test run and the plug-in's device modules, and lays out
  // the toolbar, the views and the module page for the owner.
  void Initialize(const std::shared_ptr<host_api::ITestElement>& iteOwner,
                  host_api::ITestRun* itsSetup);

  // ITestGuide
  int32_t Perform(const std::shared_ptr<host_api::ITestElement>& iteCurrent) override;
  void AddResult(const std::shared_ptr<host_api::ITestElement>& ite) override;
  void ShowResults(const std::shared_ptr<host_api::ITestElement>& ite) override;
  void HighlightTestElement(const std::shared_ptr<host_api::ITestElement>& ite) override;
  std::shared_ptr<CModuleSetup> ModuleSetupData_get() const override { return m_moduleSetup; }
  std::shared_ptr<CModuleSetup> ResultModuleSetupData_get() const override {
    return m_resultModuleSetup;
  }
  bool ResetTheLeadValue_get() const override { return m_resetTheLeadValue; }
  void ResetTheLeadValue_let(bool value) override { m_resetTheLeadValue = value; }
  platform::forms::Form* GuideForm() override { return this; }

  // Stops the run going on (nothing when none does): guide result 5, test run state 5.
  void StopTest(int32_t state);

  int32_t GuideResult_get() const { return m_guideResult; }
  bool Running_get() const { return m_running; }
  bool Calibrated_get() const { return m_calibrated; }
  void Calibrated_let(bool value) { m_calibrated = value; }
  bool ModuleSetupLocked_get() const { return m_moduleSetupLocked; }
  host_api::IGuideToolbar& Toolbar() const { return *m_toolbar; }
  host_api::IContentPane& ContentPane() const { return *m_contentPane; }

  // What an answers file may name on the guide.
  static platform::forms::AnswerableForm Answerable();

 private:
  void buildControls();
  void onToolbarButton(int32_t id);
  void leaveWith(int32_t guideResult);
  void abortTest();
  void calibrate();
  void startOrStop();

  // Perform
  void chooseModuleSetup(const std::shared_ptr<host_api::ITestElement>& element);
  void applyButtonOptions(const std::shared_ptr<host_api::ITestElement>& element);
  void showIdle();
  void showLeadStrip();

  // The automatic run
  void runAutomatic();
  void startRun();
  void warnForeignTests();
  void openDriverForRun();
  void runScheduler(const std::shared_ptr<IAutoTest>& test);
  void showRunError(const platform::ComError& error);
  void endRun();
  void enableControls(bool enabled);

  // Views
  void refreshResults();
  void showModulePage();
  void applyModuleLock();
  std::string translate(const std::string& text, const platform::Parameters& params = {}) const;
  std::string displayName(const std::shared_ptr<host_api::ITestElement>& element,
                          const std::string& fallback) const;

  std::shared_ptr<host_api::ITestElement> m_owner;
  std::shared_ptr<host_api::ITestElement> m_current;
  int32_t m_guideResult = GuideResult::Waiting;
  std::shared_ptr<CModuleSetup> m_moduleSetup;
  host_api::ITestRun* m_testRun = nullptr;
  std::shared_ptr<CModuleSetup> m_resultModuleSetup;
  std::shared_ptr<CModuleSetup> m_dutModuleSetup;
  std::shared_ptr<CAutoRunScheduler> m_scheduler;
  bool m_running = false;
  bool m_driverOpenedByGuide = false;
  bool m_calibrated = false;
  bool m_moduleSetupLocked = false;
  bool m_resetTheLeadValue = false;
  bool m_stopRequested = false;  // a stop may come before the scheduler exists
  bool m_endedEarly = false;     // the run ended by an error or a stop

  std::shared_ptr<host_api::IGuideToolbar> m_toolbar;
  std::shared_ptr<host_api::IContentPane> m_contentPane;
  platform::forms::ListView* m_resultList = nullptr;
  platform::forms::Grid* m_ecgGrid = nullptr;
  platform::forms::ListView* m_moduleList = nullptr;
  std::unique_ptr<XResultView> m_resultView;
  std::unique_ptr<XResultECG> m_resultEcg;
  bool m_ecg = false;
  bool m_leadStripShown = false;
};

}  // namespace plugin
