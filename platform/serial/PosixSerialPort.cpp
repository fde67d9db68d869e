#include "platform/serial/PosixSerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/ComError.h"

namespace platform::serial {

namespace {

[[noreturn]] void invalidSettings(const std::string& why) {
  throw ComError(380, "PosixSerialPort", "Invalid line settings: " + why);
}

speed_t speedOf(int baud) {
  switch (baud) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    case 460800:
      return B460800;
    case 921600:
      return B921600;
    default:
      invalidSettings("unsupported baud rate " + std::to_string(baud));
  }
}

tcflag_t dataBitsFlag(int bits) {
  switch (bits) {
    case 5:
      return CS5;
    case 6:
      return CS6;
    case 7:
      return CS7;
    default:
      return CS8;
  }
}

// A missing device or something that is not a serial line at all.
bool meansNotFound(int error) {
  return error == ENOENT || error == ENODEV || error == ENXIO || error == ENOTDIR ||
         error == ENOTTY || error == EISDIR || error == ENAMETOOLONG;
}

// The device exists but someone else holds it or we may not use it.
bool meansUnavailable(int error) {
  return error == EACCES || error == EPERM || error == EBUSY || error == EWOULDBLOCK ||
         error == EROFS;
}

std::string statusOf(int error) {
  if (meansNotFound(error)) return kStatusNotFound;
  if (meansUnavailable(error)) return kStatusUnavailable;
  return std::strerror(error);
}

}  // namespace

PosixSerialPort::~PosixSerialPort() { close(); }

void PosixSerialPort::setSettings(const std::string& settings) {
  LineSettings parsed = LineSettings::parse(settings);
  speedOf(parsed.baud);  // refuse what termios cannot do before anything changes
  if (parsed.parity == 'M' || parsed.parity == 'S') invalidSettings("mark or space parity");
  m_settings = parsed;
  if (isOpen()) applySettings();
}

void PosixSerialPort::open() {
  if (isOpen()) return;
  m_hungUp = false;
  m_input.clear();
  m_pendingOutput.clear();
  if (m_device.empty()) {
    m_status = kStatusNotFound;
    return;
  }
  int fd = ::open(m_device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    m_status = statusOf(errno);
    return;
  }
  int error = 0;
  if (!isatty(fd)) {
    error = ENOTTY;
  } else if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    error = errno;
  } else if (ioctl(fd, TIOCEXCL) != 0) {
    error = errno;
  }
  if (error != 0) {
    ::close(fd);
    m_status = statusOf(error);
    return;
  }
  m_fd = fd;
  try {
    applySettings();
  } catch (const ComError&) {
    ::close(m_fd);
    m_fd = -1;
    m_status = kStatusUnavailable;
    return;
  }
  // Whatever the line carried before we owned it is not an answer to us.
  tcflush(m_fd, TCIOFLUSH);
  m_status = kStatusConnected;
  m_loop = &loop();
  updateWatch();
}

void PosixSerialPort::applySettings() {
  termios tio{};
  if (tcgetattr(m_fd, &tio) != 0) invalidSettings(std::strerror(errno));
  cfmakeraw(&tio);
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  tio.c_cflag |= CLOCAL | CREAD | dataBitsFlag(m_settings.dataBits);
  if (m_settings.parity == 'E') tio.c_cflag |= PARENB;
  if (m_settings.parity == 'O') tio.c_cflag |= PARENB | PARODD;
  if (m_settings.stopBits == 2) tio.c_cflag |= CSTOPB;
  // VMIN 1 with a non-blocking descriptor: "no data" is EAGAIN and a read of 0 means hang-up.
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  speed_t speed = speedOf(m_settings.baud);
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);
  if (tcsetattr(m_fd, TCSANOW, &tio) != 0) invalidSettings(std::strerror(errno));
}

void PosixSerialPort::close() {
  if (m_loop) {
    if (m_watch) m_loop->unwatch(m_watch);
    if (m_retryTimer) m_loop->stopTimer(m_retryTimer);
  }
  m_watch = 0;
  m_retryTimer = 0;
  m_loop = nullptr;
  if (m_fd >= 0) {
    // Exclusive use belongs to the line, not to our descriptor: a line that somebody else keeps
    // open (a simulator's terminal) would refuse every later user but root.
    ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);  // releases the lock
  }
  m_fd = -1;
  m_input.clear();
  m_pendingOutput.clear();
  m_status.clear();
}

void PosixSerialPort::updateWatch() {
  bool wanted = isOpen() && !m_hungUp && m_input.size() < kInputLimit;
  if (wanted && !m_watch) {
    m_watch = m_loop->watchRead(m_fd, [this] { onDeviceReadable(); });
  } else if (!wanted && m_watch) {
    m_loop->unwatch(m_watch);
    m_watch = 0;
  }
}

void PosixSerialPort::onDeviceReadable() {
  size_t before = m_input.size();
  drainDevice();
  if (m_input.size() == before && isOpen() && !m_hungUp) {
    // Woken without data: an error or hang-up that reads do not report would wake the loop on
    // every pass, so it ends the watch just like a hang-up that they do report.
    pollfd p{m_fd, POLLIN, 0};
    if (poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) markHungUp();
  }
  // Called on a hang-up too, so that a waiter learns at once that nothing more will come.
  if (m_onReadable) {
    auto callback = m_onReadable;
    callback();
  }
}

void PosixSerialPort::drainDevice() {
  if (!isOpen() || m_hungUp) return;
  char buf[4096];
  while (m_input.size() < kInputLimit) {
    size_t room = std::min(sizeof buf, kInputLimit - m_input.size());
    ssize_t n = ::read(m_fd, buf, room);
    if (n > 0) {
      m_input.append(buf, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    markHungUp();  // end of file or a line error (EIO)
    break;
  }
  updateWatch();
}

void PosixSerialPort::markHungUp() {
  m_hungUp = true;
  m_pendingOutput.clear();
  updateWatch();
}

size_t PosixSerialPort::inputCount() {
  drainDevice();
  size_t count = m_input.size();
  // Only while our buffer is full can the device still hold bytes of its own.
  int queued = 0;
  if (isOpen() && !m_hungUp && ioctl(m_fd, TIOCINQ, &queued) == 0 && queued > 0) {
    count += static_cast<size_t>(queued);
  }
  return count;
}

void PosixSerialPort::discardInput() {
  m_input.clear();
  if (isOpen()) tcflush(m_fd, TCIFLUSH);
  if (isOpen()) updateWatch();
}

std::string PosixSerialPort::read() {
  drainDevice();
  std::string out = std::exchange(m_input, {});
  if (isOpen()) updateWatch();
  return out;
}

void PosixSerialPort::onReadable(std::function<void()> callback) {
  m_onReadable = std::move(callback);
}

void PosixSerialPort::write(std::string_view data) {
  if (!isOpen())
    throw ComError(RuntimeError::PathFileAccess, "PosixSerialPort", "Port is not open");
  // A hung-up line swallows what is written, like a cut cable; the missing reply tells the rest.
  if (m_hungUp) return;
  m_pendingOutput.append(data);
  flushPendingOutput();
}

void PosixSerialPort::flushPendingOutput() {
  while (!m_pendingOutput.empty() && isOpen() && !m_hungUp) {
    ssize_t n = ::write(m_fd, m_pendingOutput.data(), m_pendingOutput.size());
    if (n > 0) {
      m_pendingOutput.erase(0, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    if (n < 0 && errno == EIO) {
      markHungUp();
      break;
    }
    int error = errno;
    m_pendingOutput.clear();
    throw ComError(RuntimeError::PathFileAccess, "PosixSerialPort",
                   "Write to " + m_device + " failed: " + std::strerror(error));
  }
  // The device's output buffer is full: try again shortly from the loop rather than block.
  bool retry = !m_pendingOutput.empty();
  if (retry && !m_retryTimer) {
    m_retryTimer = m_loop->startRepeating(Milliseconds(1), [this] { flushPendingOutput(); });
  } else if (!retry && m_retryTimer) {
    m_loop->stopTimer(m_retryTimer);
    m_retryTimer = 0;
  }
}

size_t PosixSerialPort::outputCount() {
  size_t count = m_pendingOutput.size();
  int queued = 0;
  if (isOpen() && !m_hungUp && ioctl(m_fd, TIOCOUTQ, &queued) == 0 && queued > 0) {
    count += static_cast<size_t>(queued);
  }
  return count;
}

}  // namespace platform::serial
