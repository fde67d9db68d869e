#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/TestTemplate.h"
#include "host_api/ITestElement.h"
#include "platform/ComError.h"

namespace host {

class HostApplicationService;
class HostTestRun;

// How one top-level element of a run came out, from its result's status.
enum class ElementOutcome { NotPerformed, Passed, Failed, NoVerdict };

struct ElementRun {
  std::shared_ptr<host_api::ITestElement> element;
  int32_t resultStatus = 0;  // host_api::ResultStatus: 0 none, 1 passed, 2 failed, 3 no verdict
  ElementOutcome outcome = ElementOutcome::NotPerformed;
};

// What a run of a template came to.
struct TemplateRunOutcome {
  std::vector<ElementRun> elements;  // every top-level element, in template order
  int32_t runStatus = 0;             // the test run's status when the run ended
  bool endedEarly = false;           // aborted, stopped, or ended by an error
  std::string endReason;             // why it ended early, in words; empty otherwise
  int32_t saves = 0;                 // how often the template was written during the run

  bool allJudgedPassed() const;
};

// The host's run of a test template, as a test executive does it: each top-level element in
// order is performed with one test run, and the template with every result measured so far is
// written to its file after each element and whenever the run reports an element performed, so
// a crash or a line that dies loses at most the element in progress. The run ends early when
// the run status says aborted or stopped, when an element raises an error, or when the template
// can no longer be saved (results that cannot be kept must not be measured on).
class TemplateRunner {
 public:
  // `application`: the host's application service, told of the open template so that the
  // elements find their host data (may be null in a host without one).
  TemplateRunner(std::shared_ptr<TestTemplate> testTemplate, std::filesystem::path file,
                 HostApplicationService* application);

  TemplateRunOutcome run(HostTestRun& testRun);

  static ElementOutcome outcomeOf(int32_t resultStatus);

 private:
  // Saves the template; false (with the error kept) when it could not be written.
  bool save();
  bool mustStop(const HostTestRun& testRun, TemplateRunOutcome& outcome) const;
  void perform(const std::shared_ptr<host_api::ITestElement>& element, HostTestRun& testRun,
               TemplateRunOutcome& outcome);

  std::shared_ptr<TestTemplate> m_template;
  std::filesystem::path m_file;
  HostApplicationService* m_application;
  std::optional<platform::ComError> m_saveError;
  int32_t m_saves = 0;
};

}  // namespace host
