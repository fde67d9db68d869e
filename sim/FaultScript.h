#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/Fault.h"

namespace sim {

// Faults scripted per command and per occurrence. A rule names a command ("READ": every READ,
// whatever follows "="; "POL=R": that exact command; "*": any command) and which of its
// occurrences it hits ("#2", "#2-4", "#3+", "*"). Each rule counts the commands it names on
// its own; the first rule that hits a command decides its fault.
class FaultScript {
 public:
  struct Rule {
    std::string pattern;
    long first = 1;
    long last = -1;  // -1: no end
    Fault fault;
    long seen = 0;
  };

  // Adds a rule from its two halves, for example ("READ #1", "!22"). Throws
  // std::invalid_argument for a rule it cannot read.
  void add(const std::string& selector, const std::string& fault);
  // Counts `command` and gives the fault of the first rule that hits it.
  std::optional<Fault> match(const std::string& command);
  // Forgets the counts, so a scenario can be replayed.
  void reset();
  bool empty() const { return m_rules.empty(); }

  // The name a rule without "=" compares with: the text before "=", "ESC" for the escape key.
  static std::string commandName(const std::string& command);

 private:
  std::vector<Rule> m_rules;
};

}  // namespace sim
