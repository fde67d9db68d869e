#include "plugin/core/MErrorConvention.h"

#include <algorithm>
#include <memory>

#include "host_api/HostServices.h"
#include "plugin/core/MPlugInErrors.h"

namespace plugin::MErrorConvention {

namespace {
const std::string ProgIDPrefix = "orvelTRX440.";

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

bool listed(std::initializer_list<int32_t> numbers, int32_t number) {
  return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

// Raises `error` again through the host unchanged. The host takes the description of an error
// passed on from the error it is handling, so `error` is made that error first; otherwise a
// caught C++ failure would be in flight and the description lost.
[[noreturn]] void raiseUnchanged(host_api::IErrorService& service,
                                 const platform::ComError& error) {
  try {
    throw error;
  } catch (const platform::ComError&) {
    service.Raise(PlugInId, error.number(), error.source(), KindPassedOn);
  }
  throw error;  // a host whose service returned must not make the error vanish
}
}  // namespace

std::string ProgID(const std::string& className) { return ProgIDPrefix + className; }

void RaiseOwn(const std::string& source, int32_t number, int32_t kind,
              const platform::Parameters& args) {
  errorService().Raise(PlugInId, number, source, kind, args);
  throw platform::ComError(number, source, platform::errorNumberText(number));  // as above
}

void Report(const std::string& source, int32_t number, int32_t kind,
            const platform::Parameters& args) {
  if (!host_api::ErrorKind::ResumesAfterReport(kind)) RaiseOwn(source, number, kind, args);
  // The host describes an error only as it raises it; the described error is then shown.
  host_api::IErrorService& service = errorService();
  try {
    service.Raise(PlugInId, number, source, kind, args);
  } catch (const platform::ComError& error) {
    service.Report(error);
  }
}

platform::ComError CurrentError(const std::string& source) {
  return platform::CurrentError(source);
}

platform::ComError Placed(const platform::ComError& error, const std::string& source) {
  const std::string& origin = error.source();
  if (origin == source || origin.starts_with(ProgIDPrefix)) return error;
  std::string description = error.description();
  if (!origin.empty()) description += " (" + origin + ")";
  return platform::ComError(error.number(), source, description, error.helpFile(),
                            error.helpContext());
}

void HandleError(const platform::ComError& error, const std::string& source,
                 std::initializer_list<int32_t> passedOn) {
  host_api::IErrorService& service = errorService();
  if (listed(passedOn, error.number())) raiseUnchanged(service, error);
  const platform::ComError placed = Placed(error, source);
  service.PassOn(placed, source);
  throw placed;  // as above
}

void ReportError(const platform::ComError& error, const std::string& source,
                 std::initializer_list<int32_t> passedOn) {
  host_api::IErrorService& service = errorService();
  if (listed(passedOn, error.number())) raiseUnchanged(service, error);
  service.Report(Placed(error, source));
}

}  // namespace plugin::MErrorConvention
