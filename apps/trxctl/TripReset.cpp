#include "apps/trxctl/TripReset.h"

#include "apps/trxctl/CommandLine.h"
#include "apps/trxctl/PortDiagnosis.h"
#include "driver/MError.h"
#include "driver/MPortTable.h"
#include "platform/EventLoop.h"

namespace trxctl {

std::string TripReset::exchange(const std::string& portText, std::string& failure) {
  auto port = vti::MPortTable::CreatePort(portText);
  if (port) {
    port->setSettings("115200,N,8,1");
    port->open();
  }
  if (!port || !port->isOpen()) {
    failure = PortDiagnosis().explain(portText);
    return {};
  }
  port->onReadable([] {});  // the loop wakes on arriving bytes
  port->discardInput();
  port->write("GFIR\r\n");
  auto& ev = platform::loop();
  bool expired = false;
  auto timer = ev.startTimer(platform::Milliseconds(kTimeOutMs), [&expired] { expired = true; });
  std::string reply;
  ev.processUntil([&] {
    if (port->inputCount() > 0) reply += port->read();
    return expired || port->hungUp() || reply.find("\r\n") != std::string::npos;
  });
  if (!expired) ev.stopTimer(timer);
  port->onReadable({});
  port->close();
  const size_t end = reply.find("\r\n");
  if (end == std::string::npos) failure = "no analyzer answered";
  return end == std::string::npos ? std::string() : reply.substr(0, end);
}

int TripReset::run(const std::string& port, std::ostream& out) {
  std::string failure;
  const std::string reply = exchange(port, failure);
  if (reply == "*") {
    out << port << ": ground-fault interrupter reset" << std::endl;
    return kExitSuccess;
  }
  if (!failure.empty()) {
    out << port << ": " << failure << "; nothing was reset" << std::endl;
    return kExitUsage;
  }
  out << port << ": the analyzer refused the reset (Rx: " << vti::MError::EscapeControlChars(reply)
      << ")" << std::endl;
  return kExitTestFailed;
}

}  // namespace trxctl
