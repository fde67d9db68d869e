#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host_api/ICallback.h"

namespace host {

// The host's callback object: it records every notification a dialog or control sends, in
// order, and hands each to a handler when one is set.
class HostCallback : public host_api::ICallback {
 public:
  struct Notification {
    std::string eventName;
    platform::Parameters args;
  };
  using Handler = std::function<void(const std::string&, const platform::Parameters&)>;

  HostCallback() = default;
  explicit HostCallback(Handler handler) : m_handler(std::move(handler)) {}

  void Notify(const std::string& eventName, const platform::Parameters& args) override;

  const std::vector<Notification>& notifications() const { return m_notifications; }
  // How many notifications named `eventName` arrived.
  size_t count(const std::string& eventName) const;
  void clear() { m_notifications.clear(); }

 private:
  Handler m_handler;
  std::vector<Notification> m_notifications;
};

}  // namespace host
