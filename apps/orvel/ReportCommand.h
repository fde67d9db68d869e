#pragma once

#include <ostream>
#include <string>

#include "host/TestTemplate.h"

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

  // The report of `testTemplate` (read from `file`) as an HTML page written to `html`.
  static void saveHtml(const host::TestTemplate& testTemplate, const std::string& file,
                       const std::string& html, int32_t options);

 private:
  std::ostream& m_out;
};

}  // namespace orvel
