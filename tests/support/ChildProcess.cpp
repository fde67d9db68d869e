#include "support/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

ChildProcess::ChildProcess(std::vector<std::string> argv) {
  int fds[2];
  if (pipe(fds) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::vector<char*> args;
  for (auto& arg : argv) args.push_back(arg.data());
  args.push_back(nullptr);
  if (posix_spawn(&m_pid, args[0], &actions, nullptr, args.data(), environ) != 0) m_pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  m_out = fds[0];
}

ChildProcess::~ChildProcess() {
  if (m_pid > 0) {
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
  }
  if (m_out >= 0) ::close(m_out);
}

const std::string& ChildProcess::readUntil(const std::function<bool(const std::string&)>& done) {
  auto& loop = platform::loop();
  if (m_out < 0 || m_closed) return m_output;
  auto watch = loop.watchRead(m_out, [this] {
    char buffer[512];
    ssize_t n = ::read(m_out, buffer, sizeof buffer);
    if (n > 0)
      m_output.append(buffer, static_cast<size_t>(n));
    else
      m_closed = true;
  });
  bool expired = false;
  auto timer = loop.startTimer(std::chrono::seconds(30), [&expired] { expired = true; });
  loop.processUntil([&] { return expired || m_closed || done(m_output); });
  loop.stopTimer(timer);
  loop.unwatch(watch);
  return m_output;
}

int ChildProcess::wait() {
  readUntil([](const std::string&) { return false; });
  int status = 0;
  if (m_pid <= 0 || waitpid(m_pid, &status, 0) != m_pid) return -1;
  m_pid = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::signal(int number) {
  if (m_pid > 0) kill(m_pid, number);
}
