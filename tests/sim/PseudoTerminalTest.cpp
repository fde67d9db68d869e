#include "sim/PseudoTerminal.h"

#include <gtest/gtest.h>

#include "PtyClient.h"
#include "platform/PollLoop.h"
#include "sim/SimulatedAnalyzer.h"

namespace {

TEST(PseudoTerminalTransport, ServesClientsOverARealTerminal) {
  platform::PollLoop loop;
  platform::LoopOverride useIt(loop);
  sim::SimulatedAnalyzer analyzer(
      sim::Scenario::parse("[timing]\nstream = 20 ms\n[faults]\nREAD #1 = !22\n"));
  auto pty = std::make_unique<sim::PseudoTerminal>(analyzer);
  const std::string path = pty->path();
  analyzer.attach(std::move(pty));
  {
    PtyClient client(path);
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
  PtyClient again(path);
  std::string reply = again.ask(loop, "\x1b\r\n");
  EXPECT_NE(reply.find("*\r\n"), std::string::npos);
  EXPECT_EQ(again.ask(loop, "LOCAL\r\n"), "*\r\n");
  EXPECT_FALSE(analyzer.model().isRemote());
  analyzer.detach();
}

}  // namespace
