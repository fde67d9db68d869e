#pragma once

#include "host_api/IPathService.h"

namespace host {

class HostPathService : public host_api::IPathService {
 public:
  // "/data/x" and "/data/x//" both give "/data/x/". An empty folder stays empty: a file name
  // appended to it then names a file in the current folder, never one in the root folder.
  std::string AppendSeparator(const std::string& folder) override;
};

}  // namespace host
