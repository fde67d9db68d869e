#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/EventLoop.h"
#include "platform/serial/SerialPort.h"

namespace vti {

// The port of one channel and the one timer that limits every wait of that channel. Exists from
// the opening of the channel to its closing.
class FPort {
 public:
  explicit FPort(std::shared_ptr<platform::serial::SerialPort> comm);
  ~FPort();
  FPort(const FPort&) = delete;
  FPort& operator=(const FPort&) = delete;

  platform::serial::SerialPort& Comm() const { return *m_comm; }

  // Stops the timer, sets its interval and starts it; it then fires every `milliseconds` until
  // stopped. A zero or negative interval fires on the next pass of the loop instead of never.
  void StartTimer(int32_t milliseconds);
  void StopTimer();

  // Unloads the form: stops the timer and the port's notifications and closes the port. Never
  // fails, so closing always gets through.
  void Unload() noexcept;

  // The TimeOut event: called each time the timer fires.
  void OnTimeOut(std::function<void()> handler) { m_onTimeOut = std::move(handler); }

 private:
  std::shared_ptr<platform::serial::SerialPort> m_comm;
  std::function<void()> m_onTimeOut;
  platform::EventLoop* m_loop = nullptr;
  platform::TimerId m_timer = 0;
};

}  // namespace vti
