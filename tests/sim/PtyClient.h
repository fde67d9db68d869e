#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "platform/EventLoop.h"

// A client on the terminal side, as a program opening the printed device path would be.
class PtyClient {
 public:
  explicit PtyClient(const std::string& path) : m_fd(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
    termios tio{};
    tcgetattr(m_fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_fd, TCSANOW, &tio);
  }
  ~PtyClient() { ::close(m_fd); }
  PtyClient(const PtyClient&) = delete;
  PtyClient& operator=(const PtyClient&) = delete;
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
