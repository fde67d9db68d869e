#pragma once

#include <memory>
#include <ostream>

#include "apps/trxctl/TrxctlRequest.h"

namespace vti {
class CTrxVti;
}

namespace trxctl {

class HoldCountdown;
class OperatorScreen;

// "trxctl run" and "trxctl calibrate": one remote connection to the analyzer, the tests (or the
// zeroing of the test lead) in order, and always the closing that leaves the analyzer local
// with its outlet off, also after an error, a stopped prompt, Ctrl-C, SIGTERM or SIGHUP.
class RunCommand {
 public:
  // `terminalOutput`: whether `out` is a terminal, on which the waits of a test are shown as a
  // countdown (not with --json).
  RunCommand(const TrxctlRequest& request, bool terminalInput, std::ostream& out, std::ostream& err,
             bool terminalOutput = false);
  ~RunCommand();

  // The exit code: kExitSuccess, kExitTestFailed (a test ended aborted or in error) or
  // kExitUsage (no connection).
  int run();
  int calibrate();

 private:
  template <typename Work>
  int inSession(Work work);
  bool connect();
  // Runs one test and prints its outcome; false when the series must end.
  bool runTest(const PlannedTest& planned, int& exitCode);
  // A stop signal arrived: the running test is stopped and the connection closed.
  void interrupt(int signal);

  const TrxctlRequest& m_request;
  bool m_terminalInput;
  bool m_terminalOutput;
  std::ostream& m_out;
  std::ostream& m_err;
  std::unique_ptr<OperatorScreen> m_screen;
  std::shared_ptr<vti::CTrxVti> m_vti;
  std::shared_ptr<HoldCountdown> m_countdown;  // on a terminal only
  bool m_interrupted = false;
  bool m_groundFault = false;  // the interrupter tripped: the series ends, a reset is offered
  bool m_working = false;      // Ctrl-C aborts only the connecting and the tests, not the closing
};

}  // namespace trxctl
