#include "platform/forms/Timer.h"

namespace platform::forms {

const char* Timer::kind() const { return "Timer"; }

Timer::Timer(std::string name) : Control(std::move(name)) { Visible_let(false); }

Timer::~Timer() { stop(); }

void Timer::Interval_let(int32_t milliseconds) {
  m_interval = milliseconds > 0 ? milliseconds : 0;
  restart();
}

void Timer::restart() {
  stop();
  if (!Enabled_get() || m_interval <= 0) return;
  m_loop = &loop();
  m_timer = m_loop->startRepeating(Milliseconds(m_interval), [this] { m_tick(); });
}

void Timer::stop() {
  if (!m_loop) return;
  m_loop->stopTimer(m_timer);
  m_loop = nullptr;
}

void Timer::unloaded() { Enabled_let(false); }

}  // namespace platform::forms
