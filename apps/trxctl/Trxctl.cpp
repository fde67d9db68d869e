#include "apps/trxctl/Trxctl.h"

#include "apps/trxctl/CommandLine.h"
#include "apps/trxctl/ListCommand.h"
#include "apps/trxctl/OperatorScreen.h"
#include "apps/trxctl/PresenceCommand.h"
#include "apps/trxctl/RunCommand.h"

namespace trxctl {

namespace {

// The presence query shows a message box when it finds a tripped interrupter.
template <typename Work>
int withScreen(bool terminalInput, std::ostream& err, Work work) {
  OperatorScreen screen({}, terminalInput, err);
  return work();
}

}  // namespace

int Trxctl::main(int argc, const char* const argv[], std::ostream& out, std::ostream& err,
                 bool terminalInput) {
  CommandLine commandLine;
  if (auto exitCode = commandLine.parse(argc, argv, out, err)) return *exitCode;
  const TrxctlRequest& request = commandLine.request();
  switch (request.command) {
    case TrxctlRequest::Command::Query:
      return withScreen(terminalInput, err,
                        [&] { return PresenceCommand::query(request.port, out); });
    case TrxctlRequest::Command::Scan:
      return withScreen(terminalInput, err, [&] {
        return PresenceCommand::scan(PresenceCommand::serialDevices(), out);
      });
    case TrxctlRequest::Command::Run:
      return RunCommand(request, terminalInput, out, err).run();
    case TrxctlRequest::Command::Calibrate:
      return RunCommand(request, terminalInput, out, err).calibrate();
    case TrxctlRequest::Command::List:
      return ListCommand::run(out);
  }
  return kExitUsage;
}

}  // namespace trxctl
