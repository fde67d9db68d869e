#include "apps/trxctl/StopSignal.h"

#include <sys/signalfd.h>
#include <unistd.h>

namespace trxctl {

StopSignal::StopSignal(std::function<void(int)> onStop) : m_onStop(std::move(onStop)) {
  sigemptyset(&m_unblock);
  sigset_t set, previous;
  sigemptyset(&set);
  for (int number : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, number);
  if (sigprocmask(SIG_BLOCK, &set, &previous) != 0) return;
  for (int number : {SIGINT, SIGTERM, SIGHUP}) {
    if (sigismember(&previous, number) != 1) sigaddset(&m_unblock, number);
  }
  m_fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (m_fd < 0) return;
  m_loop = &platform::loop();
  m_watch = m_loop->watchRead(m_fd, [this] {
    signalfd_siginfo info{};
    int arrived = 0;
    while (::read(m_fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
      arrived = static_cast<int>(info.ssi_signo);
    }
    if (arrived != 0 && m_onStop) m_onStop(arrived);
  });
}

StopSignal::~StopSignal() {
  if (m_loop && m_watch) m_loop->unwatch(m_watch);
  if (m_fd >= 0) ::close(m_fd);
  sigprocmask(SIG_UNBLOCK, &m_unblock, nullptr);
}

}  // namespace trxctl
