#pragma once

#include <string>

namespace host_api {

class IPathService {
 public:
  virtual ~IPathService() = default;
  // The folder with exactly one path separator at its end.
  virtual std::string AppendSeparator(const std::string& folder) = 0;
};

}  // namespace host_api
