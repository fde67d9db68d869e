#pragma once

#include "host_api/HostApiExport.h"

#include <string>

#include "platform/Object.h"

namespace host_api {

// Where a loader writes what it met in stored data and let pass (an unknown standard, a value
// out of range), so that the person who opened the template can be told. Loads take it as a
// pointer that may be null.
class ORVEL_HOST_API ILoadLog : public platform::Object {
 public:
  ~ILoadLog() override;
  virtual void Write(const std::string& message) = 0;
};

}  // namespace host_api
