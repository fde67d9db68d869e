#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/EventLoop.h"

// A program started for a test, with its standard input from /dev/null (no terminal) and its
// standard output read through the event loop. Killed and reaped when the test ends.
class ChildProcess {
 public:
  explicit ChildProcess(std::vector<std::string> argv);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Serves the loop until `done` holds for the output so far, the output ends, or 30 s pass.
  const std::string& readUntil(const std::function<bool(const std::string&)>& done);
  // Reads the rest of the output and gives the exit code (-1 when it did not exit normally).
  int wait();
  void signal(int number);
  const std::string& output() const { return m_output; }

 private:
  pid_t m_pid = -1;
  int m_out = -1;
  bool m_closed = false;
  std::string m_output;
};
