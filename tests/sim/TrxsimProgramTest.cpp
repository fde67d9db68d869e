#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "PtyClient.h"
#include "platform/PollLoop.h"

extern char** environ;

namespace {

// Reads a child's standard output through the loop until `done` holds (or 10 s pass).
std::string readUntil(platform::EventLoop& loop, int fd,
                      const std::function<bool(const std::string&)>& done) {
  std::string out;
  bool closed = false;
  auto watch = loop.watchRead(fd, [&] {
    char buffer[256];
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0)
      out.append(buffer, static_cast<size_t>(n));
    else
      closed = true;
  });
  bool expired = false;
  auto timer = loop.startTimer(std::chrono::seconds(10), [&] { expired = true; });
  loop.processUntil([&] { return expired || closed || done(out); });
  loop.stopTimer(timer);
  loop.unwatch(watch);
  return out;
}

TEST(TrxsimProgram, PrintsItsPathServesAndReportsTheEndStateOnSigterm) {
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string program = TRXSIM_PATH;
  std::vector<char*> argv{program.data(), const_cast<char*>("--scenario"),
                          const_cast<char*>("healthy"), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);

  platform::PollLoop loop;
  platform::LoopOverride useIt(loop);
  std::string first = readUntil(
      loop, pipeFds[0], [](const std::string& out) { return out.find('\n') != std::string::npos; });
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
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  std::string rest = readUntil(loop, pipeFds[0], [](const std::string&) { return false; });
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ::close(pipeFds[0]);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "stopped through the loop";
  EXPECT_EQ(rest,
            "{\"end\":true,\"control\":\"remote\",\"outlet\":\"reversed\",\"test_mode\":"
            "\"EARTHL\",\"hung_up\":false}\n");
}

}  // namespace
