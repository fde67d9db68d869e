#include "support/PseudoTerminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace testing_pty {

PseudoTerminal::PseudoTerminal() {
  m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
    throw std::runtime_error("cannot create a pseudo-terminal");
  }
  m_slavePath = ptsname(m_master);
  m_slaveKeeper = ::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (m_slaveKeeper < 0) throw std::runtime_error("cannot open " + m_slavePath);
  // Raw from the start, so that nothing is echoed or translated before the port sets its mode.
  termios tio{};
  tcgetattr(m_slaveKeeper, &tio);
  cfmakeraw(&tio);
  tcsetattr(m_slaveKeeper, TCSANOW, &tio);
}

PseudoTerminal::~PseudoTerminal() {
  hangUp();
  if (m_slaveKeeper >= 0) ::close(m_slaveKeeper);
}

void PseudoTerminal::write(std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(m_master, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw std::runtime_error("pseudo-terminal write failed");
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

std::string PseudoTerminal::read() {
  std::string out;
  char buf[4096];
  for (ssize_t n; (n = ::read(m_master, buf, sizeof buf)) > 0;)
    out.append(buf, static_cast<size_t>(n));
  return out;
}

void PseudoTerminal::onCommand(std::function<void(const std::string& line)> handler) {
  m_loop = &platform::loop();
  m_watch = m_loop->watchRead(m_master, [this, handler = std::move(handler)] {
    m_pending += read();
    for (size_t end; (end = m_pending.find("\r\n")) != std::string::npos;) {
      std::string line = m_pending.substr(0, end);
      m_pending.erase(0, end + 2);
      handler(line);
    }
  });
}

void PseudoTerminal::useCookedMode() {
  termios tio{};
  tcgetattr(m_slaveKeeper, &tio);
  tio.c_iflag |= ICRNL | IXON | IXOFF;
  tio.c_oflag |= OPOST | ONLCR;
  tio.c_lflag |= ECHO | ICANON | ISIG | IEXTEN;
  tcsetattr(m_slaveKeeper, TCSANOW, &tio);
}

void PseudoTerminal::hangUp() {
  if (m_loop && m_watch) m_loop->unwatch(m_watch);
  m_watch = 0;
  if (m_master >= 0) ::close(m_master);
  m_master = -1;
}

}  // namespace testing_pty
