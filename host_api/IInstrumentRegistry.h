#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <string>

namespace host_api {

// The host's record of which serial port each instrument model is connected to. A technician
// assigns the port once in the host; drivers ask for it when they connect without one.
class ORVEL_HOST_API IInstrumentRegistry {
 public:
  virtual ~IInstrumentRegistry();

  // The port number assigned to `model` ("TRX440"), 0 when none is.
  virtual int32_t AssignedPort(const std::string& model) = 0;
  // Assigns `port` to `model`; 0 removes the assignment.
  virtual void AssignPort(const std::string& model, int32_t port) = 0;
};

}  // namespace host_api
