#include "plugin/elements/MElementPerform.h"

#include "host_api/ITestRun.h"
#include "platform/ErrorBoundary.h"
#include "plugin/guide/ITestGuide.h"

namespace plugin::MElementPerform {

ClosingGuide::~ClosingGuide() {
  if (m_openedHere) platform::IgnoreErrors([] { MGlobalTestGuide::CloseTestGuide(); });
}

int32_t AskGuide(ITestGuide& guide, const std::shared_ptr<host_api::ITestElement>& element,
                 host_api::ITestRun& testRun) {
  int32_t status = host_api::RunStatus::Repeat;
  while (status == host_api::RunStatus::Repeat) {
    testRun.Status_let(guide.Perform(element));
    status = testRun.Status_get();
  }
  return status;
}

}  // namespace plugin::MElementPerform
