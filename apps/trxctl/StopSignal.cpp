#include "apps/trxctl/StopSignal.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace trxctl {

StopSignal::StopSignal(std::function<void()> onStop) : m_onStop(std::move(onStop)) {
  sigset_t set, previous;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  if (sigprocmask(SIG_BLOCK, &set, &previous) != 0) return;
  m_wasBlocked = sigismember(&previous, SIGINT) == 1;
  m_fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (m_fd < 0) return;
  m_loop = &platform::loop();
  m_watch = m_loop->watchRead(m_fd, [this] {
    signalfd_siginfo info{};
    bool stop = false;
    while (::read(m_fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) stop = true;
    if (stop && m_onStop) m_onStop();
  });
}

StopSignal::~StopSignal() {
  if (m_loop && m_watch) m_loop->unwatch(m_watch);
  if (m_fd >= 0) ::close(m_fd);
  if (!m_wasBlocked) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
  }
}

}  // namespace trxctl
