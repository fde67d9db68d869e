#include "apps/trxctl/RunCommand.h"

#include <signal.h>

#include "apps/common/EnumNames.h"
#include "apps/trxctl/CommandLine.h"
#include "apps/trxctl/GroundFault.h"
#include "apps/trxctl/HoldCountdown.h"
#include "apps/trxctl/OperatorScreen.h"
#include "apps/trxctl/PortDiagnosis.h"
#include "apps/trxctl/ResultPrinter.h"
#include "apps/trxctl/StopSignal.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"
#include "driver/CTrxVti.h"
#include "driver/MPortTable.h"
#include "platform/ComError.h"

namespace trxctl {

RunCommand::RunCommand(const TrxctlRequest& request, bool terminalInput, std::ostream& out,
                       std::ostream& err, bool terminalOutput)
    : m_request(request),
      m_terminalInput(terminalInput),
      m_terminalOutput(terminalOutput),
      m_out(out),
      m_err(err) {}

RunCommand::~RunCommand() = default;

void RunCommand::interrupt(int signal) {
  if (m_interrupted) return;
  m_interrupted = true;
  // The message goes on a line of its own, not behind a countdown.
  if (m_countdown) m_countdown->HoldEnds();
  const char* what = signal == SIGINT ? "Ctrl-C" : signal == SIGHUP ? "terminal closed" : "SIGTERM";
  m_err << "trxctl: stopped (" << what << "); closing the connection" << std::endl;
  if (!m_working || !m_vti) return;
  m_vti->Abort();
  // A prompt waiting for the operator ends as Stop Test would end it.
  if (m_screen) m_screen->stopShownForms();
}

template <typename Work>
int RunCommand::inSession(Work work) {
  try {
    m_screen = std::make_unique<OperatorScreen>(m_request.answersFile, m_terminalInput, m_err);
  } catch (const platform::ComError& e) {
    m_err << "trxctl: " << e.description() << std::endl;
    return kExitUsage;
  } catch (const std::exception& e) {
    m_err << "trxctl: " << e.what() << std::endl;
    return kExitUsage;
  }
  StopSignal stop([this](int signal) { interrupt(signal); });
  m_vti = std::make_shared<vti::CTrxVti>();
  *m_vti->TestOptions_get() = m_request.options;
  // Pipes and JSON readers get results only; a person at a terminal sees the long waits.
  if (m_terminalOutput && !m_request.json) {
    m_countdown = std::make_shared<HoldCountdown>(m_out);
    m_vti->Progress_set(m_countdown);
  }
  int exitCode = kExitUsage;
  if (connect()) {
    m_working = true;
    exitCode = work();
    m_working = false;
    m_vti->EndRemote(nullptr);
  }
  if (m_screen->stoppedForWantOfOperator()) exitCode = kExitTestFailed;
  if (m_interrupted && exitCode == kExitSuccess) exitCode = kExitTestFailed;
  m_vti.reset();
  m_countdown.reset();
  m_screen.reset();
  return exitCode;
}

bool RunCommand::connect() {
  auto number = vti::MPortTable::PortNumber(m_request.port);
  m_working = true;
  try {
    if (number) {
      m_vti->InitRemote(*number);
    } else {
      m_vti->InitRemote(vti::MPortTable::CreatePort(m_request.port));
    }
  } catch (const platform::ComError& e) {
    m_working = false;
    m_err << "trxctl: no connection to the analyzer on " << m_request.port;
    if (!e.description().empty()) m_err << ": " << e.description();
    m_err << std::endl;
    if (GroundFault::reportedIn(e.description())) {
      m_err << "trxctl: " << GroundFault::advice(m_request.port) << std::endl;
    } else if (e.number() != vti::errVTI_UserAbort) {
      m_err << "trxctl: " << m_request.port << ": " << PortDiagnosis().explain(m_request.port)
            << std::endl;
    }
    return false;
  }
  m_working = false;
  if (m_vti->State_get() == vti::evsClosed) {
    m_err << "trxctl: no port is assigned to the analyzer" << std::endl;
    return false;
  }
  return true;
}

bool RunCommand::runTest(const PlannedTest& planned, int& exitCode) {
  auto test = std::make_shared<vti::CTrxSafetyTest>();
  test->Initialize(planned.code, planned.power);
  test->LeadNo_let(planned.lead);
  test->AP_let(planned.appliedPart);
  std::string error;
  bool goOn = true;
  try {
    m_vti->RunSafetyTest(test, nullptr);
  } catch (const platform::ComError& e) {
    goOn = false;
    error = e.number() == vti::errVTI_UserAbort ? "stopped" : e.description();
    if (error.empty()) error = "ended in an error";
    if (GroundFault::reportedIn(error)) {
      error = GroundFault::kTripped;
      m_groundFault = true;
    }
  }
  auto result = m_vti->TestResult_get();
  ResultPrinter(m_out, m_request.json)
      .print(planned, *result, test->Unit_get(), test->ValueFormat_get(), error);
  auto state = result->State_get();
  if (!error.empty() || state == vti::etsAborted || state == vti::etsNotPerformed) {
    exitCode = kExitTestFailed;
  }
  return goOn && !m_interrupted;
}

int RunCommand::run() {
  return inSession([this] {
    int exitCode = kExitSuccess;
    size_t done = 0;
    while (done < m_request.tests.size() && !m_interrupted) {
      if (!runTest(m_request.tests[done++], exitCode)) break;
    }
    if (m_groundFault) {
      m_err << "trxctl: " << GroundFault::advice(m_request.port);
      if (done < m_request.tests.size())
        m_err << " (" << m_request.tests.size() - done << " test(s) not run)";
      m_err << std::endl;
    }
    return exitCode;
  });
}

int RunCommand::calibrate() {
  return inSession([this] {
    bool zeroed = false;
    std::string error;
    try {
      // Calibrate succeeds whenever the analyzer answered; the lead is zeroed only when the
      // answer was a reading ("!32" means the lead is not on the nulling post).
      if (m_vti->Calibrate()) {
        const vti::ETrxTestState state = m_vti->TestResult_get()->State_get();
        zeroed = state == vti::etsCompleted;
        if (!zeroed) {
          error = "no reading (" + apps::EnumNames::testStateName(state) +
                  ") - connect the test lead and retry";
        }
      }
    } catch (const platform::ComError& e) {
      error = e.number() == vti::errVTI_UserAbort ? "stopped" : e.description();
      if (GroundFault::reportedIn(error)) error = GroundFault::advice(m_request.port);
    }
    if (zeroed) {
      m_out << "test lead zeroed" << std::endl;
      return int(kExitSuccess);
    }
    m_out << "test lead not zeroed" << (error.empty() ? "" : ": " + error) << std::endl;
    return int(kExitTestFailed);
  });
}

}  // namespace trxctl
