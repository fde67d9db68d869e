#include "platform/serial/VirtualSerialLink.h"

#include <array>
#include <utility>

#include "platform/ComError.h"
#include "platform/serial/LineSettings.h"

namespace platform::serial {

struct VirtualSerialLink::Shared {
  Timing timing;
  bool hungUp = false;
  bool present = true;
  std::array<std::shared_ptr<End>, 2> ends;
};

class VirtualSerialLink::End : public SerialPort {
 public:
  End(std::weak_ptr<Shared> shared, int index) : m_shared(std::move(shared)), m_index(index) {}

  void setDevice(std::string device) override { m_device = std::move(device); }
  const std::string& device() const override { return m_device; }
  void setSettings(const std::string& settings) override { LineSettings::parse(settings); }

  void open() override {
    auto shared = m_shared.lock();
    if (!shared || !shared->present) {
      m_open = false;
      m_status = kStatusNotFound;
      return;
    }
    m_open = true;
    m_status = kStatusConnected;
  }
  void close() override {
    m_open = false;
    m_inbox.clear();
    m_status.clear();
  }
  bool isOpen() const override { return m_open; }
  std::string status() const override { return m_status; }

  size_t inputCount() override { return m_inbox.size(); }
  void discardInput() override { m_inbox.clear(); }
  size_t outputCount() override { return m_inFlight; }
  std::string read() override { return std::exchange(m_inbox, {}); }
  void onReadable(std::function<void()> callback) override { m_onReadable = std::move(callback); }
  bool hungUp() const override {
    auto shared = m_shared.lock();
    return m_open && (!shared || shared->hungUp);
  }

  void write(std::string_view data) override {
    if (!m_open) throw ComError(RuntimeError::PathFileAccess, "SerialPort", "Port is not open");
    auto shared = m_shared.lock();
    if (!shared || shared->hungUp || data.empty()) return;
    EventLoop& ev = loop();
    TimePoint start = std::max(ev.now(), m_lineFreeAt);
    m_lineFreeAt = start + byteTime(shared->timing, data.size());
    m_inFlight += data.size();
    Duration delay = m_lineFreeAt + shared->timing.latency - ev.now();
    std::weak_ptr<Shared> weak = m_shared;
    int peer = 1 - m_index;
    ev.startTimer(delay, [weak, peer, bytes = std::string(data), self = m_index] {
      auto link = weak.lock();
      if (!link) return;
      link->ends[self]->m_inFlight -= bytes.size();
      if (!link->hungUp) link->ends[peer]->deliver(bytes);
    });
  }

  static Duration byteTime(const Timing& timing, size_t bytes) {
    // Ten bits a byte: start bit, eight data bits, stop bit.
    return std::chrono::duration_cast<Duration>(std::chrono::duration<double>(
        static_cast<double>(bytes) * 10.0 / static_cast<double>(timing.baud)));
  }

 private:
  void deliver(const std::string& bytes) {
    if (!m_open) return;
    m_inbox += bytes;
    if (m_onReadable) {
      auto callback = m_onReadable;
      callback();
    }
  }

  std::weak_ptr<Shared> m_shared;
  int m_index;
  std::string m_device;
  std::string m_status;
  bool m_open = false;
  std::string m_inbox;
  size_t m_inFlight = 0;
  TimePoint m_lineFreeAt{};
  std::function<void()> m_onReadable;
};

VirtualSerialLink::VirtualSerialLink() : VirtualSerialLink(Timing{}) {}

VirtualSerialLink::VirtualSerialLink(Timing timing) : m_shared(std::make_shared<Shared>()) {
  m_shared->timing = timing;
  m_shared->ends[0] = std::make_shared<End>(m_shared, 0);
  m_shared->ends[1] = std::make_shared<End>(m_shared, 1);
}

VirtualSerialLink::~VirtualSerialLink() = default;

std::shared_ptr<SerialPort> VirtualSerialLink::hostEnd() const { return m_shared->ends[0]; }
std::shared_ptr<SerialPort> VirtualSerialLink::deviceEnd() const { return m_shared->ends[1]; }

void VirtualSerialLink::hangUp() { m_shared->hungUp = true; }
bool VirtualSerialLink::isHungUp() const { return m_shared->hungUp; }
void VirtualSerialLink::setPresent(bool present) { m_shared->present = present; }

Duration VirtualSerialLink::byteTime(size_t bytes) const {
  return End::byteTime(m_shared->timing, bytes);
}

}  // namespace platform::serial
