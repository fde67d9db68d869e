#include "host/TemplateRunner.h"

#include "host/HostApplicationService.h"
#include "host/HostTestRun.h"
#include "host_api/IMeasurement.h"
#include "host_api/ITestRun.h"

namespace host {

namespace {

std::string describe(const platform::ComError& error) {
  std::string text = error.description();
  return text.empty() ? "error " + std::to_string(error.number()) : text;
}

}  // namespace

bool TemplateRunOutcome::allJudgedPassed() const {
  if (endedEarly) return false;
  for (const auto& run : elements) {
    if (run.outcome == ElementOutcome::Failed) return false;
  }
  return true;
}

TemplateRunner::TemplateRunner(std::shared_ptr<TestTemplate> testTemplate,
                               std::filesystem::path file, HostApplicationService* application)
    : m_template(std::move(testTemplate)), m_file(std::move(file)), m_application(application) {}

ElementOutcome TemplateRunner::outcomeOf(int32_t resultStatus) {
  switch (resultStatus) {
    case host_api::ResultStatus::Passed:
      return ElementOutcome::Passed;
    case host_api::ResultStatus::Failed:
      return ElementOutcome::Failed;
    case host_api::ResultStatus::NoVerdict:
      return ElementOutcome::NoVerdict;
    default:
      return ElementOutcome::NotPerformed;
  }
}

bool TemplateRunner::save() {
  try {
    m_template->save(m_file);
    ++m_saves;
    return true;
  } catch (const platform::ComError& error) {
    if (!m_saveError) m_saveError = error;
  }
  return false;
}

bool TemplateRunner::mustStop(const HostTestRun& testRun, TemplateRunOutcome& outcome) const {
  if (m_saveError) {
    outcome.endReason = "the results could not be saved: " + describe(*m_saveError);
  } else if (testRun.Status_get() == host_api::RunStatus::Aborted) {
    outcome.endReason = "the run was aborted";
  } else if (testRun.Status_get() == host_api::RunStatus::Stopped) {
    outcome.endReason = "the run was stopped";
  } else {
    return false;
  }
  outcome.endedEarly = true;
  return true;
}

void TemplateRunner::perform(const std::shared_ptr<host_api::ITestElement>& element,
                             HostTestRun& testRun, TemplateRunOutcome& outcome) {
  try {
    element->Perform(testRun);
  } catch (const platform::ComError& error) {
    outcome.endedEarly = true;
    outcome.endReason =
        "test " + std::to_string(element->TestID_get()) + " ended in an error: " + describe(error);
  } catch (const std::exception& error) {
    outcome.endedEarly = true;
    outcome.endReason =
        "test " + std::to_string(element->TestID_get()) + " ended in an error: " + error.what();
  }
  // Whatever ended the element, what it measured goes into the file before anything else.
  save();
}

TemplateRunOutcome TemplateRunner::run(HostTestRun& testRun) {
  TemplateRunOutcome outcome;
  if (m_application) m_application->setOpenTemplate(m_template);
  m_saveError.reset();
  m_saves = 0;
  // A save failure inside the plug-in's call must not unwind through it: it is kept, and the
  // run ends after the element in progress.
  testRun.onPerformed([this](const host_api::ITestElement&) { save(); });
  for (const auto& element : m_template->elements()) {
    if (outcome.endedEarly || mustStop(testRun, outcome)) break;
    perform(element, testRun, outcome);
  }
  if (!outcome.endedEarly) mustStop(testRun, outcome);
  testRun.onPerformed(nullptr);
  for (const auto& element : m_template->elements()) {
    auto result = element->Result_get();
    const int32_t status = result ? result->Status_get() : host_api::ResultStatus::None;
    outcome.elements.push_back({element, status, outcomeOf(status)});
  }
  outcome.runStatus = testRun.Status_get();
  outcome.saves = m_saves;
  return outcome;
}

}  // namespace host
