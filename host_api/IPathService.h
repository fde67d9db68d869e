#pragma once

#include "host_api/HostApiExport.h"

#include <string>

namespace host_api {

class ORVEL_HOST_API IPathService {
 public:
  virtual ~IPathService();
  // The folder with exactly one path separator at its end.
  virtual std::string AppendSeparator(const std::string& folder) = 0;
};

}  // namespace host_api
