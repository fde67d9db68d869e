#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/EventLoop.h"

namespace testing_pty {

// A pseudo-terminal whose slave side stands in for a serial device: the code under test opens
// slavePath(), the test plays the instrument on the master side.
class PseudoTerminal {
 public:
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  const std::string& slavePath() const { return m_slavePath; }

  void write(std::string_view bytes);
  std::string read();  // what has arrived, without waiting

  // Calls `handler` from the event loop with each CR LF terminated line the slave side writes.
  void onCommand(std::function<void(const std::string& line)> handler);
  // Puts the line into a terminal's usual cooked mode (echo, CR/LF translation, flow control,
  // signal characters), as a serial device may be left by an earlier user.
  void useCookedMode();
  // Closes the master side: the slave side sees a hang-up.
  void hangUp();

 private:
  int m_master = -1;
  int m_slaveKeeper = -1;  // keeps the line up while the code under test has the slave closed
  std::string m_slavePath;
  std::string m_pending;
  platform::EventLoop* m_loop = nullptr;
  platform::WatchId m_watch = 0;
};

}  // namespace testing_pty
