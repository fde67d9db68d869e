#include "host/HostPathService.h"

namespace host {

std::string HostPathService::AppendSeparator(const std::string& folder) {
  if (folder.empty()) return folder;
  size_t end = folder.find_last_not_of('/');
  if (end == std::string::npos) return "/";
  return folder.substr(0, end + 1) + "/";
}

}  // namespace host
