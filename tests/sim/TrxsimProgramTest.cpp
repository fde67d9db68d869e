#include <gtest/gtest.h>
#include <signal.h>

#include "PtyClient.h"
#include "platform/PollLoop.h"
#include "support/ChildProcess.h"

namespace {

TEST(TrxsimProgram, PrintsItsPathServesAndReportsTheEndStateOnSigterm) {
  platform::PollLoop loop;
  platform::LoopOverride useIt(loop);
  ChildProcess trxsim({TRXSIM_PATH, "--scenario", "healthy"});
  std::string first =
      trxsim.readUntil([](const std::string& out) { return out.find('\n') != std::string::npos; });
  ASSERT_EQ(first.rfind("/dev/", 0), 0u) << first;
  std::string path = first.substr(0, first.find('\n'));
  {
    PtyClient client(path);
    ASSERT_TRUE(client.ok());
    EXPECT_EQ(client.ask(loop, "REMOTE\r\n"), "*\r\n");
    std::string ident = client.ask(loop, "IDENT\r\n");
    EXPECT_EQ(ident.substr(0, ident.find(',')), "TRX 440");
    client.ask(loop, "EARTHL\r\n");
    client.ask(loop, "POL=R\r\n");
  }
  trxsim.signal(SIGTERM);
  EXPECT_EQ(trxsim.wait(), 0) << "stopped through the loop";
  std::string rest = trxsim.output().substr(path.size() + 1);
  EXPECT_EQ(rest,
            "{\"end\":true,\"control\":\"remote\",\"outlet\":\"reversed\",\"test_mode\":"
            "\"EARTHL\",\"hung_up\":false}\n");
}

}  // namespace
