#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <string>

namespace host_api {

// What an instrument presence query found on one serial port, as the host's instrument library
// records it.
struct MLCQueryResult {
  // Status values: nothing answered, an instrument answered but is not ready for remote
  // control, an instrument identified itself.
  static constexpr int32_t kNotFound = 0;
  static constexpr int32_t kNotReady = 1;
  static constexpr int32_t kIdentified = 2;

  std::string Model;
  std::string SerialNo;
  std::string FWVersion;
  int32_t Status = kNotFound;
};

// The host scans serial ports with one of these per instrument model: each driver tells whether
// its instrument answers on a port, without opening a remote connection.
class ORVEL_HOST_API IOrvelMLCQuery {
 public:
  virtual ~IOrvelMLCQuery();

  virtual std::string MtiType_get() const = 0;
  virtual std::string SerialNo_get() const = 0;
  virtual std::string FWVersion_get() const = 0;
  // Never raises: every failure is reported as status kNotFound.
  virtual MLCQueryResult QueryMTI(int32_t lPort) = 0;
};

}  // namespace host_api
