#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <functional>

#include "platform/EventLoop.h"
#include "platform/forms/Control.h"

namespace platform::forms {

// An invisible control that fires Timer every Interval milliseconds on the event loop while it
// is enabled and its interval is above 0. Unloading the form stops it.
class ORVEL_PLATFORM_API Timer : public Control {
 public:
  explicit Timer(std::string name);
  ~Timer() override;
  const char* kind() const override;

  int32_t Interval_get() const { return m_interval; }
  void Interval_let(int32_t milliseconds);
  bool running() const { return m_loop != nullptr; }
  void onTimer(std::function<void()> handler) { m_tick.connect(std::move(handler)); }

  std::vector<std::string> visibleTexts() const override { return {}; }

 protected:
  void unloaded() override;
  void enabledChanged() override { restart(); }

 private:
  void restart();
  void stop();

  int32_t m_interval = 0;
  EventLoop* m_loop = nullptr;  // the loop the running timer was started on
  TimerId m_timer = 0;
  Event<> m_tick;
};

}  // namespace platform::forms
