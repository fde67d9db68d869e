#pragma once

#include "platform/PlatformExport.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform::serial {

// Status texts a port reports after an attempt to open it.
inline constexpr const char* kStatusConnected = "Connected";
inline constexpr const char* kStatusUnavailable = "Port unavailable";
inline constexpr const char* kStatusNotFound = "Port not found";

// A serial line as the driver's channel uses it: select a device, apply line settings, open,
// write text, read what has arrived, and learn through the event loop when bytes arrive.
class ORVEL_PLATFORM_API SerialPort {
 public:
  virtual ~SerialPort();  // defined in the library: one virtual table per process

  // The device to open: a path such as /dev/ttyUSB0 or a pseudo-terminal.
  virtual void setDevice(std::string device) = 0;
  virtual const std::string& device() const = 0;
  // Line settings as "baud,parity,data bits,stop bits", for example "115200,N,8,1". Settings the
  // port cannot apply throw ComError.
  virtual void setSettings(const std::string& settings) = 0;

  // Opening never throws for an unavailable or missing device: it leaves the port closed and
  // reports it through status().
  virtual void open() = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  virtual std::string status() const = 0;

  virtual size_t inputCount() = 0;  // bytes waiting to be read
  virtual void discardInput() = 0;
  virtual void write(std::string_view data) = 0;
  virtual size_t outputCount() = 0;  // bytes written but not yet on the line
  virtual std::string read() = 0;    // takes every byte that waits

  // Called from the event loop whenever bytes arrive (or the line hangs up) while the port is
  // open; an empty function stops the notifications.
  virtual void onReadable(std::function<void()> callback) = 0;
  // Whether the line has hung up since it was opened: nothing more will arrive.
  virtual bool hungUp() const { return false; }
};

}  // namespace platform::serial
