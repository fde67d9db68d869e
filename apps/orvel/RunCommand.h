#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

namespace host {
class TestTemplate;
struct TemplateRunOutcome;
}  // namespace host

namespace orvel {

class AnalyzerTarget;
class RunScreen;

struct RunRequest {
  std::string file;
  std::string port;         // a port number or device path; empty: the one the settings assign
  std::string simulate;     // a scenario of the simulated analyzer; empty: a real port
  bool realTime = false;    // the simulator paced like the instrument
  std::string answers;      // an answers file; empty: the terminal
  bool unattended = false;  // the shipped answers file
  std::string report;       // the HTML report to write
  bool json = false;
};

// `orvel run`: performs a template's elements against the analyzer (or the simulated one) with
// the plug-in's test guide, on the terminal or from an answers file, keeps every result in the
// template file as it comes, and prints the results.
class RunCommand {
 public:
  RunCommand(std::ostream& out, std::ostream& err, bool terminalInput)
      : m_out(out), m_err(err), m_terminalInput(terminalInput) {}
  ~RunCommand();

  // kExitSuccess when every judged result passed, kExitFailed when one failed or the run ended
  // early, kExitUsage for usage, file and connection errors.
  int run(const RunRequest& request);

  // The answers file shipped for unattended runs: beside the program, else in the resource
  // folder; empty when neither has it.
  static std::filesystem::path unattendedAnswers();

 private:
  int usage(const std::string& message);
  std::unique_ptr<AnalyzerTarget> makeTarget(const RunRequest& request);
  int finish(const RunRequest& request, const host::TestTemplate& testTemplate,
             const host::TemplateRunOutcome& outcome);

  std::ostream& m_out;
  std::ostream& m_err;
  bool m_terminalInput;
};

}  // namespace orvel
