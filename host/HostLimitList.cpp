#include "host/HostLimitList.h"

namespace host {

std::shared_ptr<host_api::ILimit> HostLimitList::Item(int32_t position) const {
  if (position < 1 || position > Count()) return nullptr;
  return m_limits[static_cast<size_t>(position - 1)];
}

void HostLimitList::Add(const std::shared_ptr<host_api::ILimit>& limit) {
  if (limit) m_limits.push_back(limit);
}

void HostLimitList::Remove(int32_t position) {
  if (position < 1 || position > Count()) return;
  m_limits.erase(m_limits.begin() + (position - 1));
}

}  // namespace host
