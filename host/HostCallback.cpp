#include "host/HostCallback.h"

#include <algorithm>

namespace host {

void HostCallback::Notify(const std::string& eventName, const platform::Parameters& args) {
  // Recorded first: a handler that fails must not hide that the control did notify.
  m_notifications.push_back({eventName, args});
  if (m_handler) m_handler(eventName, args);
}

size_t HostCallback::count(const std::string& eventName) const {
  return static_cast<size_t>(
      std::count_if(m_notifications.begin(), m_notifications.end(),
                    [&](const Notification& n) { return n.eventName == eventName; }));
}

}  // namespace host
