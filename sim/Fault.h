#pragma once

#include <optional>
#include <string>

#include "platform/EventLoop.h"

namespace sim {

// What a scripted fault does to one command. Several effects combine ("late 800 ms, split 3").
struct Fault {
  // Reply sent instead of the analyzer's own; the command itself is then not carried out.
  std::optional<std::string> reply;
  bool silence = false;             // the command is lost on the line: no effect, no reply
  platform::Duration extraDelay{};  // added to the processing delay
  bool noLineEnd = false;           // the reply goes out without its CR LF
  int splitParts = 1;               // the reply goes out in this many pieces...
  platform::Duration splitGap = std::chrono::milliseconds(5);  // ...this far apart
  bool hangUp = false;       // the line is cut when the command arrives
  bool groundFault = false;  // the ground-fault interrupter trips ("!50")
  bool overVoltage = false;  // over-voltage is detected ("!51")
  bool highVoltage = false;  // the analyzer enters high-voltage mode

  // Reads the comma-separated list of a fault script line, for example "!22" or
  // "late 1500 ms, no-crlf". Throws std::invalid_argument for a text it cannot read.
  static Fault parse(const std::string& text);
  // A short human-readable description for the transcript.
  std::string describe() const;
};

}  // namespace sim
