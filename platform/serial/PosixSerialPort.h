#pragma once

#include "platform/PlatformExport.h"

#include <functional>
#include <string>

#include "platform/EventLoop.h"
#include "platform/serial/LineSettings.h"
#include "platform/serial/SerialPort.h"

namespace platform::serial {

// A serial device (/dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS*, or a pseudo-terminal) in raw mode over
// termios, by default 115200 baud 8N1 without flow control.
//
// Arriving bytes are taken from the device into the port's own buffer as soon as the event loop
// sees them, so a device that keeps sending while nobody reads can never make the loop spin on a
// readable descriptor; the buffer is bounded, and while it is full the port stops watching (the
// kernel then drops what the device sends, as a serial line without flow control does). When the
// line hangs up the port stops watching for good and reports no more input.
//
// The device is opened exclusively (TIOCEXCL and an flock), so a second user of the same port
// sees "Port unavailable" instead of stealing half of the replies.
class ORVEL_PLATFORM_API PosixSerialPort : public SerialPort {
 public:
  static constexpr size_t kInputLimit = 64 * 1024;

  PosixSerialPort() = default;
  explicit PosixSerialPort(std::string device) : m_device(std::move(device)) {}
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  void setDevice(std::string device) override { m_device = std::move(device); }
  const std::string& device() const override { return m_device; }
  void setSettings(const std::string& settings) override;

  void open() override;
  void close() override;
  bool isOpen() const override { return m_fd >= 0; }
  std::string status() const override { return m_status; }

  size_t inputCount() override;
  void discardInput() override;
  void write(std::string_view data) override;
  size_t outputCount() override;
  std::string read() override;
  void onReadable(std::function<void()> callback) override;

  bool hungUp() const override { return m_hungUp; }

 private:
  void applySettings();
  void updateWatch();
  void onDeviceReadable();
  // Moves what the device holds into m_input (up to the limit); notices a hang-up.
  void drainDevice();
  void flushPendingOutput();
  void markHungUp();

  std::string m_device;
  LineSettings m_settings;
  std::string m_status;
  int m_fd = -1;
  bool m_hungUp = false;
  std::string m_input;
  std::string m_pendingOutput;  // what the device would not take yet
  std::function<void()> m_onReadable;
  EventLoop* m_loop = nullptr;  // the loop the watch and the retry timer live on
  WatchId m_watch = 0;
  TimerId m_retryTimer = 0;
};

}  // namespace platform::serial
