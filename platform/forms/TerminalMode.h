#pragma once

#include "platform/PlatformExport.h"

namespace platform::forms {

// Puts a terminal into key-at-a-time mode without echo for its lifetime and restores the
// settings it found afterwards, also when the process ends by Ctrl-C, a hang-up or a
// termination signal (Ctrl-C keeps working: signals stay on). Only one can be active.
class ORVEL_PLATFORM_API TerminalMode {
 public:
  explicit TerminalMode(int fd);
  ~TerminalMode();
  TerminalMode(const TerminalMode&) = delete;
  TerminalMode& operator=(const TerminalMode&) = delete;

  // False when the descriptor is no terminal or its settings could not be changed.
  bool active() const { return m_active; }

 private:
  int m_fd;
  bool m_active = false;
};

}  // namespace platform::forms
