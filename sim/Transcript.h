#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace sim {

// Every exchange of a session, in order: what the host sent ("in"), what the analyzer sent
// ("out"), and notes of the simulator itself ("note": faults, hang-ups). Written as JSON
// lines, {"t_ms":12.345,"dir":"in","text":"STAT\r\n"}, with every control character escaped.
class Transcript {
 public:
  struct Entry {
    double timeMs;
    std::string direction;
    std::string text;
  };

  void add(double timeMs, std::string direction, std::string text);
  const std::vector<Entry>& entries() const { return m_entries; }
  // The commands the host sent, without line ends and without empty lines, in order.
  std::vector<std::string> commands() const;
  // Also writes every entry to `out` as it is added (for a live transcript file).
  void mirrorTo(std::ostream* out) { m_mirror = out; }
  // Whether entries are also kept in memory (the default). A long-running server that only
  // mirrors turns it off: a reading stream or a flooding client would otherwise grow it
  // without end.
  void keepEntries(bool keep) { m_keep = keep; }

  static std::string jsonLine(const Entry& entry);
  void write(std::ostream& out) const;

 private:
  std::vector<Entry> m_entries;
  std::ostream* m_mirror = nullptr;
  bool m_keep = true;
};

}  // namespace sim
