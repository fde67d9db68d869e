#include "driver/FPort.h"

#include <algorithm>

namespace vti {

FPort::FPort(std::shared_ptr<platform::serial::SerialPort> comm) : m_comm(std::move(comm)) {}

FPort::~FPort() { StopTimer(); }

void FPort::StartTimer(int32_t milliseconds) {
  StopTimer();
  m_loop = &platform::loop();
  auto interval = platform::Milliseconds(std::max(milliseconds, int32_t(0)));
  m_timer = m_loop->startRepeating(interval, [this] {
    if (m_onTimeOut) {
      auto handler = m_onTimeOut;
      handler();
    }
  });
}

void FPort::StopTimer() {
  if (m_loop && m_timer) m_loop->stopTimer(m_timer);
  m_timer = 0;
}

void FPort::Unload() noexcept {
  try {
    StopTimer();
    m_comm->onReadable(nullptr);
    if (m_comm->isOpen()) m_comm->close();
  } catch (...) {
  }
}

}  // namespace vti
