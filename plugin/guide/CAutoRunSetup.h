#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace host_api {
class ITestElement;
class ITestRun;
class IMeasurement;
}  // namespace host_api

namespace plugin {

class CModuleSetup;
class CModule;
class IAutoTest;

// The shared state of one autorun: the device's modules and those the current test runs for,
// the applied-part text and lead of the current reading, the stop and calibration state; and the
// operator questions a run asks (halt on failure, lead connection, lead calibration). Every
// RunTest of the run reads it.
class CAutoRunSetup {
 public:
  CAutoRunSetup();
  ~CAutoRunSetup();

  // Takes the host's test run and the device's module setup from the open test guide (none when
  // no guide is open), and selects every module.
  void Initialize(host_api::ITestRun* itsSetup, const std::shared_ptr<IAutoTest>& iat);
  void SelectAllModules();
  // SelectedModules becomes a new setup holding the modules of `cmsTemp` under their own ids.
  void UpdateModuleSelection(const std::shared_ptr<CModuleSetup>& cmsTemp);

  // Whether `iat` is to run, and for which modules: `cmsTemp` (or SelectedModules when null) is
  // thinned to the modules the element's groups admit.
  bool IsApplicable(const std::shared_ptr<IAutoTest>& iat,
                    const std::shared_ptr<CModuleSetup>& cmsTemp = nullptr);
  // Whether `iat` or a test below it applies and has one of `testCodes` (empty: any code).
  bool HasTests(const std::shared_ptr<IAutoTest>& iat, const std::shared_ptr<CModuleSetup>& cmsTemp,
                const std::vector<int32_t>& testCodes);
  // The operator's answer to a failed reading (0 save and continue, 1 discard, 2 repeat, 3 stop),
  // 0 when no question is asked.
  int32_t HaltOnFailure(const std::shared_ptr<host_api::ITestElement>& ite,
                        const std::shared_ptr<host_api::IMeasurement>& cme);
  // Asks the operator to connect the selected modules from socket `lStartLead` unless the
  // analyzer is in high-voltage mode; a cancelled prompt stops the run (errStopRun).
  void ShowLeadConnectForm(int32_t lStartLead);
  // Asks the operator to zero the test lead once per run.
  void ShowCalibrationForm();

  host_api::ITestRun* TestSetup_get() const { return m_testSetup; }
  std::shared_ptr<CModuleSetup> Modules_get() const { return m_modules; }
  std::shared_ptr<CModuleSetup> SelectedModules_get() const { return m_selectedModules; }
  int32_t ModuleCount_get() const;
  std::string AppliedParts_get() const { return m_appliedParts; }
  void AppliedParts_let(const std::string& value) { m_appliedParts = value; }
  int32_t LeadNo_get() const { return m_leadNo; }
  void LeadNo_let(int32_t value) { m_leadNo = value; }
  int32_t State_get() const { return m_state; }
  void State_let(int32_t value) { m_state = value; }
  bool Calibrated_get() const { return m_calibrated; }
  void Calibrated_let(bool value) { m_calibrated = value; }
  bool UseSeperateModules_get() const { return m_useSeperateModules; }
  void UseSeperateModules_let(bool value) { m_useSeperateModules = value; }
  int32_t CombineResults_get() const { return m_combineResults; }
  void CombineResults_let(int32_t value) { m_combineResults = value; }
  int32_t ModuleNumber_get() const { return m_moduleNumber; }
  void ModuleNumber_let(int32_t value) { m_moduleNumber = value; }
  int32_t LeadSTDSelection_get() const { return m_leadStdSelection; }
  void LeadSTDSelection_let(int32_t value) { m_leadStdSelection = value; }
  bool HaltAnswerKept_get() const { return m_haltAnswerKept; }

  // For a run without a test guide (and for tests): the device's modules.
  void Modules_set(const std::shared_ptr<CModuleSetup>& modules) { m_modules = modules; }

 private:
  host_api::ITestRun* m_testSetup = nullptr;
  std::shared_ptr<CModuleSetup> m_modules;
  std::shared_ptr<CModuleSetup> m_selectedModules;
  std::string m_appliedParts;
  int32_t m_leadNo = 0;
  int32_t m_state = 0;
  bool m_calibrated = false;
  bool m_useSeperateModules = false;
  int32_t m_combineResults = 0;
  int32_t m_moduleNumber = 0;
  int32_t m_leadStdSelection = 0;
  bool m_haltAnswerKept = false;
};

}  // namespace plugin
