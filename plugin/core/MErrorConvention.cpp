#include "plugin/core/MErrorConvention.h"

#include <memory>

#include "host_api/HostServices.h"
#include "platform/ErrorBoundary.h"
#include "plugin/core/MPlugInErrors.h"

namespace plugin::MErrorConvention {

namespace {
// The host error service describes the plug-in's errors with their messages; it learns them
// once per service (a test may install a fresh one).
host_api::IErrorService& errorService() {
  static std::weak_ptr<host_api::IErrorService> informed;
  auto service = host_api::hostServices().errors;
  if (!service) {
    throw platform::ComError(platform::RuntimeError::ObjectRequired, PlugInId,
                             "The host error service is not available");
  }
  if (informed.lock() != service) {
    service->RegisterMessages(PlugInId, MPlugInErrors::Messages());
    informed = service;
  }
  return *service;
}
}  // namespace

std::string ProgID(const std::string& className) { return "orvelTRX440." + className; }

void RaiseOwn(const std::string& source, int32_t number, int32_t kind,
              const platform::Parameters& args) {
  errorService().Raise(PlugInId, number, source, kind, args);
  // A host whose service returned must not make the error vanish.
  throw platform::ComError(number, source, platform::errorNumberText(number));
}

platform::ComError CurrentError() { return platform::CurrentError(PlugInId); }

void HandleError(const platform::ComError& error, const std::string& source,
                 std::initializer_list<int32_t> passedOn) {
  host_api::IErrorService& service = errorService();
  if (std::find(passedOn.begin(), passedOn.end(), error.number()) != passedOn.end()) {
    service.Raise(PlugInId, error.number(), error.source(), KindPassedOn);
  }
  service.PassOn(error, source);
  throw error;  // as in RaiseOwn: the error never vanishes
}

}  // namespace plugin::MErrorConvention
