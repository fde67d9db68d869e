#pragma once

#include <ostream>

#include "apps/trxctl/StopSignal.h"

namespace host {
class HostTestRun;
}

namespace orvel {

class RunScreen;

// Ctrl-C, SIGTERM and SIGHUP during a run, as events of the loop: the run is marked aborted,
// a dialog waiting for the operator is answered as its cancel button would answer it, and a
// guide that is running its tests is stopped, so the guide's end steps still close the
// connection with the analyzer local and its outlet off, and the results so far are saved.
class RunStop {
 public:
  RunStop(host::HostTestRun& testRun, RunScreen& screen, std::ostream& err);

  bool stopped() const { return m_stopped; }

 private:
  void stop(int signal);

  host::HostTestRun& m_testRun;
  RunScreen& m_screen;
  std::ostream& m_err;
  bool m_stopped = false;
  trxctl::StopSignal m_signal;
};

}  // namespace orvel
