#pragma once

#include <ostream>
#include <string>

namespace orvel {

struct ReportRequest {
  std::string file;
  std::string html;  // the page to write; empty for text on the output
  bool failedOnly = false;
  bool limits = false;
};

// `orvel report`: the host's report of a template (configuration rows, module table, result
// tables) as text, or as a self-contained HTML page.
class ReportCommand {
 public:
  explicit ReportCommand(std::ostream& out) : m_out(out) {}
  int run(const ReportRequest& request);

 private:
  std::ostream& m_out;
};

}  // namespace orvel
