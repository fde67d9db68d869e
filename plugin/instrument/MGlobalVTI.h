#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ScopedOverride.h"

namespace host_api {
class ITestElement;
class ITestRun;
}  // namespace host_api

namespace platform::forms {
class Form;
}

namespace vti {
class CTrxVti;
}

namespace plugin {

// The one driver connection of the process: opened on first use, handed each element's options
// before it runs, closed when the run that opened it ends. Also the texts the plug-in sends to
// the driver or shows for it: the test standard, lead names and lists, waveform names.
namespace MGlobalVTI {

// The connection, or null when none is open.
std::shared_ptr<vti::CTrxVti> Driver();
// The connection, opened (on the port the host assigns to the analyzer) when there is none and
// given the test options of `element`'s group; registered with `testRun`'s instruments. Null
// after a failure, which has been reported.
std::shared_ptr<vti::CTrxVti> OpenDriver(host_api::ITestRun* testRun,
                                         const std::shared_ptr<host_api::ITestElement>& element);
// Ends the connection (outlet off, analyzer local, port closed) with `owner` as the owner of
// the driver's messages; errors are ignored and the connection is gone in any case.
void CloseDriver(platform::forms::Form* owner = nullptr);
// Hands the options of `element` (its own or its group's) to the driver before it runs.
void ApplyElementOptions(const std::shared_ptr<host_api::ITestElement>& element);
// The driver's test standard for the host's (name, text) entries; -1 when they name none.
int32_t StandardFromHost(const std::vector<std::pair<std::string, std::string>>& entries);
// "ALL", "RA", "LL", "LA", "RL", "V1" for sockets 0 to 5; empty for any other number.
std::string LeadName(int32_t socket);
// The lead names of `sockets` in order, leaving out `leftOut`, joined by ",".
std::string LeadList(const std::vector<int32_t>& sockets, int32_t leftOut = -1);
// The lead names of sockets 1 to `count` that are not in `sockets`, joined by ",".
std::string OtherLeads(const std::vector<int32_t>& sockets, int32_t count);
// The translated display name of an ECG waveform; the translation of "" for an unknown value.
std::string WaveformName(int32_t waveformType);

// The process's one reference behind Driver().
std::shared_ptr<vti::CTrxVti>& driverSlot();

// Puts `replacement` (null: no connection) in the slot for its own lifetime, then puts back what
// was there. A connection left in the slot meanwhile is released, which closes it.
class DriverOverride : public platform::ScopedOverride<std::shared_ptr<vti::CTrxVti>> {
 public:
  explicit DriverOverride(std::shared_ptr<vti::CTrxVti> replacement = nullptr)
      : ScopedOverride(driverSlot(), std::move(replacement)) {}
};

}  // namespace MGlobalVTI
}  // namespace plugin
