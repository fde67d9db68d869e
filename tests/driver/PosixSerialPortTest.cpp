#include "platform/serial/PosixSerialPort.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "driver/CChannel.h"
#include "driver/MPortTable.h"
#include "platform/PollLoop.h"
#include "support/ExpectError.h"
#include "support/PseudoTerminal.h"
#include "support/TestHost.h"

using namespace std::chrono_literals;
using platform::serial::PosixSerialPort;

namespace {

// These run on the real loop and a real pseudo-terminal: what the driver meets on a serial line.
class PseudoTerminalTest : public ::testing::Test {
 protected:
  platform::PollLoop ev;
  platform::LoopOverride useRealLoop{ev};
  testing_host::TestHost host;
  testing_pty::PseudoTerminal pty;
};

TEST_F(PseudoTerminalTest, ChannelTalksToTheInstrumentThroughThePortTable) {
  host.registry().set(vti::MPortTable::kPortsKey, "COM5", pty.slavePath());
  std::vector<std::string> received;
  pty.onCommand([&](const std::string& line) {
    received.push_back(line);
    if (line == "IDENT") pty.write("TRX 440,1.02\r\n");
    if (line == "STAT") pty.write("00");  // the reply arrives in two pieces
    if (line == "STAT") pty.write("04\r\n");
  });
  vti::CChannel channel;
  channel.OpenPort(5);
  EXPECT_EQ(channel.Transmit("IDENT", "\r\n"), "TRX 440,1.02");
  EXPECT_EQ(channel.TransmitCmd("STAT", "\r\n", false, 3), "0004");
  EXPECT_EQ(received, (std::vector<std::string>{"IDENT", "STAT"}));
  channel.ClosePort();
}

TEST_F(PseudoTerminalTest, BytesPassUnchangedInBothDirections) {
  pty.useCookedMode();
  PosixSerialPort port(pty.slavePath());
  port.setSettings("115200,N,8,1");
  port.open();
  ASSERT_EQ(port.status(), "Connected");
  const std::string outgoing = "a\x03\x11\x13\x1a\rb\n\x7f\x1b";
  port.write(outgoing);
  std::string seen;
  ev.processUntil([&] {
    seen += pty.read();
    return seen.size() >= outgoing.size();
  });
  EXPECT_EQ(seen, outgoing);  // no CR/LF translation, no flow control, no signal characters
  const std::string incoming = "\r\x04\x1c\x11z\n";
  pty.write(incoming);
  ev.processUntil([&] { return port.inputCount() >= incoming.size(); });
  EXPECT_EQ(port.read(), incoming);
  EXPECT_EQ(pty.read(), "");  // nothing echoed
}

TEST_F(PseudoTerminalTest, OpeningReportsBusyAndMissingPorts) {
  PosixSerialPort first(pty.slavePath());
  first.open();
  EXPECT_EQ(first.status(), "Connected");
  PosixSerialPort second(pty.slavePath());
  second.open();
  EXPECT_EQ(second.status(), "Port unavailable");
  EXPECT_FALSE(second.isOpen());
  first.close();
  second.open();
  EXPECT_EQ(second.status(), "Connected");

  auto file = std::filesystem::temp_directory_path() / ("not-a-port-" + std::to_string(getpid()));
  std::fclose(std::fopen(file.c_str(), "w"));
  for (const std::string& device :
       {std::string("/dev/does-not-exist"), file.string(), std::string()}) {
    PosixSerialPort missing(device);
    missing.open();
    EXPECT_EQ(missing.status(), "Port not found") << device;
    EXPECT_FALSE(missing.isOpen());
  }
  std::filesystem::remove(file);

  vti::CChannel channel;
  auto e = expectComError([&] { channel.OpenPort(vti::MPortTable::CreatePort("/dev/nope")); });
  EXPECT_EQ(e.number(), vti::errVTI_NotOpen);
  EXPECT_EQ(e.description(), "Can not open port /dev/nope");
  // A number without an entry in the port table is a missing port too.
  EXPECT_EQ(expectComError([&] { channel.OpenPort(9); }).description(), "Can not open port 9");
}

TEST_F(PseudoTerminalTest, ClosingGivesUpTheExclusiveUseOfALineThatStaysUp) {
  // The simulator keeps its terminal open between clients, as does a line someone else holds.
  // Exclusive use left behind would refuse every later client but root with "busy".
  PosixSerialPort port(pty.slavePath());
  port.open();
  ASSERT_EQ(port.status(), "Connected");
  port.close();
  int fd = ::open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  int exclusive = -1;
  ASSERT_EQ(ioctl(fd, TIOCGEXCL, &exclusive), 0);
  ::close(fd);
  EXPECT_EQ(exclusive, 0);
}

TEST_F(PseudoTerminalTest, AHangUpIsReportedOnceAndTheLoopStopsWatching) {
  PosixSerialPort port(pty.slavePath());
  port.open();
  int notified = 0;
  port.onReadable([&] { ++notified; });
  pty.write("partial");
  ev.processUntil([&] { return notified > 0; });
  pty.hangUp();
  ev.processFor(100ms);  // a descriptor left in the watch set would call back on every pass
  EXPECT_TRUE(port.hungUp());
  EXPECT_EQ(notified, 2);
  EXPECT_EQ(port.read(), "partial");
  EXPECT_EQ(port.inputCount(), 0u);
  port.write("STAT1\r\n");  // goes nowhere, like a cut cable
}

TEST_F(PseudoTerminalTest, ACommandOnAHungUpLineEndsInNoReply) {
  vti::CChannel channel;
  channel.OpenPort(vti::MPortTable::CreatePort(pty.slavePath()), 3);
  pty.hangUp();
  auto e = expectComError([&] { channel.Transmit("STAT1", "\r\n"); });
  EXPECT_EQ(e.number(), vti::errVTI_NoReply);
  EXPECT_EQ(e.description(), "No reply on COM 3.");
  EXPECT_EQ(channel.State_get(), vti::evsIdle);
}

}  // namespace
