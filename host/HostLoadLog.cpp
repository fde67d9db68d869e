#include "host/HostLoadLog.h"

namespace host {

std::string HostLoadLog::text() const {
  std::string joined;
  for (const auto& message : m_messages) joined += message + "\n";
  return joined;
}

}  // namespace host
