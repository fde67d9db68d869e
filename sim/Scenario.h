#pragma once

#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "sim/FaultScript.h"

namespace sim {

// One value of the device under test, for one quantity ("PAT"), optionally one lead or mains
// pair ("RA", "L1-GND"), and optionally a set of conditions ("reversed", "open-earth", "dc").
struct ReadingEntry {
  enum Kind { Value, NoReading, Overflow };
  std::string quantity;
  std::string selector;
  std::set<std::string> conditions;
  Kind kind = Value;
  double value = 0;  // leakage currents in microamperes, everything else in its own unit
};

// How much a condition changes a leakage current, for one quantity or (empty) for all.
struct FactorEntry {
  std::string condition;
  std::string quantity;
  double factor = 1;
};

// Everything a simulated analyzer session is made of: the analyzer, the device under test
// connected to it, the timing and the scripted faults. Read from a scenario file (see the
// README section "Scenario files").
struct Scenario {
  std::string title;
  std::string firmware = "2.05";
  std::string serial = "T440-000117";
  bool ready = true;          // false: an operator has the front panel, STAT bit 0x4 is clear
  bool leadConnected = true;  // the resistance test lead; false answers ZERO with "!32"
  platform::Duration processing = std::chrono::milliseconds(5);
  std::map<std::string, platform::Duration> processingPerCommand;
  platform::Duration streamInterval = std::chrono::milliseconds(250);
  double milliampsFrom = 1000;  // leakage currents from this many microamperes print in mA
  double noise = 0;             // relative spread of readings (0.01 is 1 %)
  unsigned seed = 1;
  std::vector<ReadingEntry> readings;
  std::vector<FactorEntry> factors;
  FaultScript faults;

  // The processing delay of a command (by its name before "=").
  platform::Duration processingOf(const std::string& commandName) const;

  // Reads a scenario text; `origin` names it in error messages. Throws std::invalid_argument
  // with the line number for anything it cannot read.
  static Scenario parse(const std::string& text, const std::string& origin = "scenario");
  // Reads a scenario file. A name without "/" and without ".scn" is looked up among the
  // shipped scenarios. Throws std::invalid_argument (unreadable file or content).
  static Scenario load(const std::string& nameOrPath);
  // The folder of the shipped scenarios.
  static std::string shippedFolder();
};

}  // namespace sim
