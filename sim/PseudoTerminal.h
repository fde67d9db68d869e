#pragma once

#include <functional>
#include <string>

#include "platform/EventLoop.h"
#include "sim/Transport.h"

namespace sim {

class SimulatedAnalyzer;

// The analyzer on a pseudo-terminal, for programs that open a serial device by path. The
// terminal side is raw (no echo, no line editing) from the start, and this object keeps a
// descriptor of it open itself, so a client may open and close the device as often as it
// likes without the terminal hanging up. Writes never block: what a client does not read
// while the terminal's buffer is full is lost, as on a real line.
class PseudoTerminal : public Transport {
 public:
  // Opens the terminal and starts serving it on the event loop. Throws std::runtime_error.
  explicit PseudoTerminal(SimulatedAnalyzer& analyzer);
  ~PseudoTerminal() override;
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // The device path a client opens, for example /dev/pts/7.
  const std::string& path() const { return m_path; }

  void send(std::string_view bytes) override;
  // Closes the terminal: clients see the line hang up.
  void hangUp() override;
  bool isOpen() const { return m_master >= 0; }

 private:
  void readAvailable();
  void closeAll();

  SimulatedAnalyzer& m_analyzer;
  int m_master = -1;
  int m_slave = -1;
  std::string m_path;
  platform::WatchId m_watch = 0;
};

}  // namespace sim
