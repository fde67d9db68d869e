// A second library loaded with dlopen beside the driver: it reports the process-wide state as it
// sees it, so the test can tell whether it shares the program's copy.
#include "StateProbe.h"
#include "host_api/HostServices.h"
#include "platform/EventLoop.h"
#include "platform/forms/Screen.h"

extern "C" __attribute__((visibility("default"))) ProcessState orvelReadProcessState() {
  return {&platform::loop(), &platform::forms::screen(), host_api::hostServicesSlot().get()};
}
