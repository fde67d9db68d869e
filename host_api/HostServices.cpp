#include "host_api/HostServices.h"

namespace host_api {

std::shared_ptr<HostServices>& hostServicesSlot() {
  static std::shared_ptr<HostServices> slot;
  return slot;
}

HostServices& hostServices() {
  auto& slot = hostServicesSlot();
  if (!slot) {
    throw platform::ComError(platform::RuntimeError::ObjectRequired, "host",
                             "The host services are not available");
  }
  return *slot;
}

}  // namespace host_api
