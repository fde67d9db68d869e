#pragma once

#include "platform/PlatformExport.h"

#include <functional>
#include <vector>

namespace platform::forms {

// A control's or form's event: any number of handlers, called in the order they were connected.
// Handlers are copied before the call so that a handler may connect further handlers safely.
template <typename... Args>
class ORVEL_PLATFORM_API Event {
 public:
  using Handler = std::function<void(Args...)>;

  void connect(Handler handler) { m_handlers.push_back(std::move(handler)); }
  bool empty() const { return m_handlers.empty(); }

  void operator()(Args... args) const {
    auto handlers = m_handlers;
    for (const auto& handler : handlers) handler(args...);
  }

 private:
  std::vector<Handler> m_handlers;
};

}  // namespace platform::forms
