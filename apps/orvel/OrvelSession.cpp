#include "apps/orvel/OrvelSession.h"

#include "host/HostApplicationService.h"
#include "host_api/HostServices.h"

namespace orvel {

namespace {

void answerForTemplate(const host::TestTemplate* testTemplate) {
  auto* application =
      dynamic_cast<host::HostApplicationService*>(host_api::hostServices().application.get());
  if (!application) return;
  application->setOpenTemplate(testTemplate ? testTemplate->elementObjects()
                                            : host_api::TestElements{});
}

}  // namespace

OrvelSession::OrvelSession() : m_plugIn(host::HostPlugIn::load()) {}

// The host forgets the template before the plug-in that made its elements goes.
OrvelSession::~OrvelSession() {
  answerForTemplate(nullptr);
  m_open.reset();
}

std::shared_ptr<host::TestTemplate> OrvelSession::openTemplate(const std::filesystem::path& file) {
  auto loaded = host::TestTemplate::load(file);
  setOpenTemplate(loaded);
  return loaded;
}

void OrvelSession::setOpenTemplate(const std::shared_ptr<host::TestTemplate>& testTemplate) {
  m_open = testTemplate;
  answerForTemplate(testTemplate.get());
}

}  // namespace orvel
