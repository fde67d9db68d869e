#pragma once

#include <cstdint>
#include <memory>

namespace host_api {
class ITestRun;
}

namespace plugin {

class IAutoTest;
class IRunner;
class CAutoRunSetup;

// Runs a test element tree without the operator starting each test: prepares the shared
// autorun setup, lets the strategy the group asks for walk the tree, collects the group results
// (also after a failure) and decides how the failure that ended the run reaches the caller.
class CAutoRunScheduler {
 public:
  CAutoRunScheduler();
  ~CAutoRunScheduler();
  CAutoRunScheduler(const CAutoRunScheduler&) = delete;
  CAutoRunScheduler& operator=(const CAutoRunScheduler&) = delete;

  // Whether the test lead was zeroed; kept from run to run of the same scheduler.
  bool Calibrated_get() const { return m_calibrated; }
  void Calibrated_let(bool value) { m_calibrated = value; }

  // Runs `iat` with a new autorun setup for the host's test run.
  void Run(const std::shared_ptr<IAutoTest>& iat, host_api::ITestRun* testRun);
  // Runs `iat` with the autorun setup of an enclosing run (a nested group).
  void Run(const std::shared_ptr<IAutoTest>& iat, CAutoRunSetup& setup);
  // Asks the run to stop after the test that runs now: stores `state` in the setup of the run
  // and aborts what the driver is doing. Errors are ignored; without a run or a driver the
  // corresponding step does nothing.
  void StopTest(int32_t state);

  // The strategy for `iat`: a group's options choose among the four, a single test always
  // runs in its own order.
  static std::unique_ptr<IRunner> ChooseStrategy(const IAutoTest& iat);

 private:
  void runWith(const std::shared_ptr<IAutoTest>& iat, CAutoRunSetup& setup);
  void collectGroupResults(const std::shared_ptr<IAutoTest>& iat, CAutoRunSetup& setup);
  // Re-raises the stop error, ends quietly after a failure the driver has shown, and shows any
  // other failure before it stops the run.
  void handleFailure() const;

  std::unique_ptr<CAutoRunSetup> m_ownSetup;
  CAutoRunSetup* m_setup = nullptr;  // the setup of the run going on, for StopTest
  bool m_calibrated = false;
};

}  // namespace plugin
