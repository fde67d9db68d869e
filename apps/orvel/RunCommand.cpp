#include "apps/orvel/RunCommand.h"

#include <unistd.h>

#include <iomanip>

#include "apps/orvel/AnalyzerTarget.h"
#include "apps/orvel/AnswerableForms.h"
#include "apps/orvel/Orvel.h"
#include "apps/orvel/OrvelSession.h"
#include "apps/orvel/ReportCommand.h"
#include "apps/orvel/RunResults.h"
#include "apps/orvel/RunScreen.h"
#include "apps/orvel/RunStop.h"
#include "host/HostApplicationService.h"
#include "host/HostLocations.h"
#include "host/HostTestRun.h"
#include "host/TemplateRunner.h"
#include "host_api/HostServices.h"
#include "platform/ComError.h"

namespace orvel {

namespace {

constexpr const char* kAnswersName = "unattended-answers.txt";

std::filesystem::path programFolder() {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : self.parent_path();
}

host::HostApplicationService* application() {
  return dynamic_cast<host::HostApplicationService*>(host_api::hostServices().application.get());
}

bool anyPerformed(const host::TemplateRunOutcome& outcome) {
  for (const auto& element : outcome.elements) {
    if (element.outcome != host::ElementOutcome::NotPerformed) return true;
  }
  return false;
}

}  // namespace

RunCommand::~RunCommand() = default;

std::filesystem::path RunCommand::unattendedAnswers() {
  for (const auto& candidate : {programFolder() / kAnswersName,
                                host::HostLocations::resourceDir() / "orvel" / kAnswersName}) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  return {};
}

int RunCommand::usage(const std::string& message) {
  m_err << "orvel run: " << message << std::endl;
  return kExitUsage;
}

std::unique_ptr<AnalyzerTarget> RunCommand::makeTarget(const RunRequest& request) {
  if (!request.simulate.empty())
    return AnalyzerTarget::simulated(request.simulate, request.realTime);
  if (!request.port.empty()) return AnalyzerTarget::port(request.port);
  return AnalyzerTarget::assigned();
}

int RunCommand::run(const RunRequest& request) {
  std::string answers = request.answers;
  if (request.unattended) {
    answers = unattendedAnswers().string();
    if (answers.empty())
      return usage(std::string("the shipped answers file ") + kAnswersName +
                   " is missing beside the program and in the resources");
  }
  if (answers.empty() && !m_terminalInput) {
    return usage(
        "nobody can answer the test guide: run it on a terminal, or give --answers FILE "
        "or --unattended");
  }
  OrvelSession session;
  auto testTemplate = session.openTemplate(request.file);
  // The analyzer's loop comes first: the screen's timers and the run live on it.
  auto target = makeTarget(request);
  if (auto problem = target->problem()) return usage("no connection: " + *problem);
  RunScreen screen(answers, AnswerableForms::check(), m_err);
  host::HostTestRun testRun(testTemplate->standards());
  RunStop stop(testRun, screen, m_err);
  host::TemplateRunner runner(testTemplate, request.file, application());
  auto outcome = runner.run(testRun);
  if (stop.stopped() && outcome.endReason.empty()) outcome.endReason = "stopped by a signal";
  if (target->analyzer()) {
    m_err << "orvel run: " << std::fixed << std::setprecision(3)
          << target->elapsed().count() / 1000.0 << " s on the simulated analyzer's clock"
          << std::endl;
  }
  // Nothing measured and no instrument registered with the run: the analyzer never answered.
  if (!anyPerformed(outcome) && testRun.InstrumentData_get().empty()) {
    return usage("no connection to the analyzer on " + target->describe() +
                 "; no test was performed");
  }
  return finish(request, *testTemplate, outcome);
}

int RunCommand::finish(const RunRequest& request, const host::TestTemplate& testTemplate,
                       const host::TemplateRunOutcome& outcome) {
  auto results = RunResults::of(testTemplate);
  if (request.json) {
    results.printJson(m_out, outcome.endReason);
  } else {
    results.printTable(m_out);
  }
  if (!outcome.endReason.empty()) m_err << "orvel run: " << outcome.endReason << std::endl;
  if (!request.report.empty()) {
    ReportCommand::saveHtml(testTemplate, request.file, request.report, 0);
    if (!request.json) m_out << "Wrote " << request.report << "\n";
  }
  return outcome.allJudgedPassed() ? kExitSuccess : kExitFailed;
}

}  // namespace orvel
