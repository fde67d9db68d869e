#include "sim/PseudoTerminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "sim/SimulatedAnalyzer.h"

namespace sim {

namespace {

[[noreturn]] void fail(const std::string& what) {
  throw std::runtime_error("pseudo-terminal: " + what + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal(SimulatedAnalyzer& analyzer) : m_analyzer(analyzer) {
  m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (m_master < 0) fail("posix_openpt");
  try {
    if (grantpt(m_master) != 0) fail("grantpt");
    if (unlockpt(m_master) != 0) fail("unlockpt");
    char name[128];
    if (ptsname_r(m_master, name, sizeof name) != 0) fail("ptsname");
    m_path = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) fail("open " + m_path);
    // Raw before any client can open it: an echoing terminal would send every command back
    // to its sender as if the analyzer had said it.
    termios tio{};
    if (tcgetattr(m_slave, &tio) != 0) fail("tcgetattr");
    cfmakeraw(&tio);
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    if (tcsetattr(m_slave, TCSANOW, &tio) != 0) fail("tcsetattr");
    int flags = fcntl(m_master, F_GETFL);
    if (flags < 0 || fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0) fail("fcntl");
  } catch (...) {
    closeAll();
    throw;
  }
  m_watch = platform::loop().watchRead(m_master, [this] { readAvailable(); });
}

PseudoTerminal::~PseudoTerminal() { closeAll(); }

void PseudoTerminal::readAvailable() {
  char buffer[512];
  while (m_master >= 0) {
    ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (n > 0) {
      m_analyzer.receive(std::string_view(buffer, static_cast<size_t>(n)));
      continue;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    // End of file or an error: the terminal is gone; stop watching rather than spin on it.
    m_analyzer.note("pseudo-terminal read failed, no longer served");
    platform::loop().unwatch(m_watch);
    m_watch = 0;
    return;
  }
}

void PseudoTerminal::send(std::string_view bytes) {
  while (m_master >= 0 && !bytes.empty()) {
    ssize_t n = ::write(m_master, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      m_analyzer.note("output lost: nobody reads the line");
      return;
    }
  }
}

void PseudoTerminal::hangUp() { closeAll(); }

void PseudoTerminal::closeAll() {
  if (m_watch) platform::loop().unwatch(m_watch);
  m_watch = 0;
  if (m_slave >= 0) ::close(m_slave);
  if (m_master >= 0) ::close(m_master);
  m_slave = -1;
  m_master = -1;
}

}  // namespace sim
