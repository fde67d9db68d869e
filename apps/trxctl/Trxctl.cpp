#include "apps/trxctl/Trxctl.h"

#include "apps/trxctl/CommandLine.h"
#include "apps/trxctl/ListCommand.h"
#include "apps/trxctl/OperatorScreen.h"
#include "apps/trxctl/PresenceCommand.h"
#include "apps/trxctl/RunCommand.h"
#include "apps/trxctl/ScanCandidates.h"
#include "apps/trxctl/TripReset.h"

namespace trxctl {

namespace {

// The presence query shows a message box when it finds a tripped interrupter.
template <typename Work>
int withScreen(bool terminalInput, std::ostream& err, Work work) {
  OperatorScreen screen({}, terminalInput, err);
  return work();
}

int scan(const TrxctlRequest& request, std::ostream& out, std::ostream& err) {
  if (!request.scanPorts.empty()) return PresenceCommand::scan(request.scanPorts, true, out);
  if (request.scanAll) {
    err << "trxctl scan --all: every serial line that opens, /dev/ttyS* included, receives "
           "\"LOCAL\", ESC and \"STAT\" (and the identity questions where an analyzer answers), "
           "whatever is attached to it"
        << std::endl;
  }
  return PresenceCommand::scan(ScanCandidates().list(request.scanAll), false, out);
}

}  // namespace

int Trxctl::main(int argc, const char* const argv[], std::ostream& out, std::ostream& err,
                 bool terminalInput, bool terminalOutput) {
  CommandLine commandLine;
  if (auto exitCode = commandLine.parse(argc, argv, out, err)) return *exitCode;
  const TrxctlRequest& request = commandLine.request();
  switch (request.command) {
    case TrxctlRequest::Command::Query:
      return withScreen(terminalInput, err,
                        [&] { return PresenceCommand::query(request.port, out); });
    case TrxctlRequest::Command::Scan:
      return withScreen(terminalInput, err, [&] { return scan(request, out, err); });
    case TrxctlRequest::Command::ResetTrip:
      return TripReset::run(request.port, out);
    case TrxctlRequest::Command::Run:
      return RunCommand(request, terminalInput, out, err, terminalOutput).run();
    case TrxctlRequest::Command::Calibrate:
      return RunCommand(request, terminalInput, out, err).calibrate();
    case TrxctlRequest::Command::List:
      return ListCommand::run(out);
  }
  return kExitUsage;
}

}  // namespace trxctl
