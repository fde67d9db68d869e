#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace host_api {
class ITestElement;
class ITestRun;
}  // namespace host_api

namespace platform::forms {
class Form;
}

namespace plugin {

class CModuleSetup;

// Guide results: what Perform reports to the host when the operator leaves the guide.
namespace GuideResult {
constexpr int32_t Next = 0;            // toolbar 103 (or 202 while 103 is set)
constexpr int32_t Previous = 1;        // toolbar 102
constexpr int32_t Aborted = 2;         // abort confirmed, or the run ended with the run aborted
constexpr int32_t Skipped = 3;         // toolbar 302
constexpr int32_t NotPerformed = 4;    // toolbar 301
constexpr int32_t Stopped = 5;         // StopTest
constexpr int32_t Waiting = 1000;      // before the operator acts
constexpr int32_t RunChildren = 1001;  // toolbar 203
}  // namespace GuideResult

// The test guide as the elements and the autorun see it: the window in which the operator
// follows and controls a run of the plug-in's elements. One is open at a time
// (MGlobalTestGuide).
class ITestGuide {
 public:
  virtual ~ITestGuide();

  // Shows `iteCurrent`, waits for the operator and answers the guide result.
  virtual int32_t Perform(const std::shared_ptr<host_api::ITestElement>& iteCurrent) = 0;
  // Adds an element's result to the result view (the ECG element's to the ECG view).
  virtual void AddResult(const std::shared_ptr<host_api::ITestElement>& ite) = 0;
  virtual void ShowResults(const std::shared_ptr<host_api::ITestElement>& ite) = 0;
  virtual void HighlightTestElement(const std::shared_ptr<host_api::ITestElement>& ite) = 0;
  // The device's module setup of the run, and the one that belongs to the shown results.
  virtual std::shared_ptr<CModuleSetup> ModuleSetupData_get() const = 0;
  virtual std::shared_ptr<CModuleSetup> ResultModuleSetupData_get() const = 0;
  virtual bool ResetTheLeadValue_get() const = 0;
  virtual void ResetTheLeadValue_let(bool value) = 0;
  // The guide's window: the owner of the dialogs a run shows. Null for a guide without one.
  virtual platform::forms::Form* GuideForm() = 0;
};

// The one open test guide of the process.
namespace MGlobalTestGuide {

// Makes a new guide for an owner element and a host test run; replaced in tests.
using GuideFactory = std::function<std::shared_ptr<ITestGuide>(
    const std::shared_ptr<host_api::ITestElement>& owner, host_api::ITestRun* testRun)>;

// The open guide, or null.
std::shared_ptr<ITestGuide> CurrentTestGuide();
// Opens a guide for `owner` and `testRun` when none is open; true when it opened one.
bool OpenTestGuide(const std::shared_ptr<host_api::ITestElement>& owner,
                   host_api::ITestRun* testRun);
// Closes the open guide, if any.
void CloseTestGuide();

// The factory OpenTestGuide uses (the plug-in's FTestGuide unless replaced).
GuideFactory& guideFactorySlot();

// Replaces the factory for its own lifetime, and closes any guide opened meanwhile at its end.
class GuideFactoryOverride {
 public:
  explicit GuideFactoryOverride(GuideFactory factory);
  ~GuideFactoryOverride();
  GuideFactoryOverride(const GuideFactoryOverride&) = delete;
  GuideFactoryOverride& operator=(const GuideFactoryOverride&) = delete;

 private:
  GuideFactory m_previous;
};

}  // namespace MGlobalTestGuide
}  // namespace plugin
