#include "sim/PseudoTerminal.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include "platform/PollLoop.h"
#include "sim/SimulatedAnalyzer.h"

namespace {

// A client on the terminal side, as a program opening the printed device path would be.
class Client {
 public:
  explicit Client(const std::string& path) : m_fd(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
    termios tio{};
    tcgetattr(m_fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_fd, TCSANOW, &tio);
  }
  ~Client() { ::close(m_fd); }
  bool ok() const { return m_fd >= 0; }

  // Sends a command and serves the loop until `lines` reply lines have arrived (or 5 s).
  std::string ask(platform::EventLoop& loop, const std::string& command, int lines = 1) {
    std::string received;
    auto watch = loop.watchRead(m_fd, [&] {
      char buffer[256];
      ssize_t n = ::read(m_fd, buffer, sizeof buffer);
      if (n > 0) received.append(buffer, static_cast<size_t>(n));
    });
    EXPECT_EQ(::write(m_fd, command.data(), command.size()), static_cast<ssize_t>(command.size()));
    bool expired = false;
    auto timer = loop.startTimer(std::chrono::seconds(5), [&] { expired = true; });
    auto complete = [&] {
      int count = 0;
      for (size_t at = received.find("\r\n"); at != std::string::npos;
           at = received.find("\r\n", at + 2)) {
        ++count;
      }
      return count >= lines;
    };
    loop.processUntil([&] { return expired || complete(); });
    loop.stopTimer(timer);
    loop.unwatch(watch);
    return received;
  }

 private:
  int m_fd;
};

TEST(PseudoTerminalTransport, ServesClientsOverARealTerminal) {
  platform::PollLoop loop;
  platform::LoopOverride useIt(loop);
  sim::SimulatedAnalyzer analyzer(
      sim::Scenario::parse("[timing]\nstream = 20 ms\n[faults]\nREAD #1 = !22\n"));
  auto pty = std::make_unique<sim::PseudoTerminal>(analyzer);
  const std::string path = pty->path();
  analyzer.attach(std::move(pty));
  {
    Client client(path);
    ASSERT_TRUE(client.ok());
    EXPECT_EQ(client.ask(loop, "REMOTE\r\n"), "*\r\n") << "raw terminal: no echo";
    std::string ident = client.ask(loop, "IDENT\r\n");
    EXPECT_EQ(ident, "TRX 440,2.05\r\n");
    client.ask(loop, "ENCL\r\n");
    EXPECT_EQ(client.ask(loop, "READ\r\n"), "!22\r\n");
    EXPECT_EQ(client.ask(loop, "READ\r\n"), "0.0 uA\r\n");
    std::string stream = client.ask(loop, "MREAD\r\n", 3);
    EXPECT_EQ(stream.substr(0, 16), "0.0 uA\r\n0.0 uA\r\n");
  }
  // The terminal outlives its client: a second program finds it as the first left it.
  Client again(path);
  std::string reply = again.ask(loop, "\x1b\r\n");
  EXPECT_NE(reply.find("*\r\n"), std::string::npos);
  EXPECT_EQ(again.ask(loop, "LOCAL\r\n"), "*\r\n");
  EXPECT_FALSE(analyzer.model().isRemote());
  analyzer.detach();
}

}  // namespace
