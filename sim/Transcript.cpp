#include "sim/Transcript.h"

#include "platform/NumberPattern.h"
#include "sim/TextTools.h"

namespace sim {

void Transcript::add(double timeMs, std::string direction, std::string text) {
  Entry entry{timeMs, std::move(direction), std::move(text)};
  if (m_mirror) *m_mirror << jsonLine(entry) << '\n' << std::flush;
  if (m_keep) m_entries.push_back(std::move(entry));
}

std::vector<std::string> Transcript::commands() const {
  std::vector<std::string> out;
  for (const Entry& entry : m_entries) {
    if (entry.direction != "in") continue;
    std::string command = entry.text;
    while (!command.empty() && (command.back() == '\n' || command.back() == '\r')) {
      command.pop_back();
    }
    if (!command.empty()) out.push_back(command);
  }
  return out;
}

std::string Transcript::jsonLine(const Entry& entry) {
  return std::string("{\"t_ms\":") + platform::Format(entry.timeMs, "0.000") + ",\"dir\":\"" +
         text_tools::jsonEscape(entry.direction) + "\",\"text\":\"" +
         text_tools::jsonEscape(entry.text) + "\"}";
}

void Transcript::write(std::ostream& out) const {
  for (const Entry& entry : m_entries) out << jsonLine(entry) << '\n';
}

}  // namespace sim
