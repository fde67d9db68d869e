#pragma once

#include <string>

namespace trxctl {

// Why a port the technician named gives no connection, in words a technician can act on. The
// driver says only "Can not open port 3"; this looks at the port table, the device and its
// locks to say which of these it is:
//   - no entry in the port table for a port number (and the setting to add),
//   - "Port not found": no such device, or something that is not a serial device at all,
//   - "Port unavailable": in use by another program (by which process, when the system's lock
//     table names it), or not permitted,
//   - the port opens, but no analyzer answered on it.
class PortDiagnosis {
 public:
  // `locksFile` is the kernel's table of file locks; tests give a file of their own.
  explicit PortDiagnosis(std::string locksFile = "/proc/locks")
      : m_locksFile(std::move(locksFile)) {}

  // Opens and closes the port once (through the port table or the installed port factory)
  // and says what it found: one line without the port's name in front.
  std::string explain(const std::string& portOrPath) const;
  // Whether the port opens at all.
  static bool opens(const std::string& portOrPath);

  // The text of a port number without a port-table entry: names the setting to add.
  static std::string missingEntry(int32_t port);

 private:
  std::string explainDevice(const std::string& device, const std::string& status) const;
  std::string explainNotFound(const std::string& device) const;
  std::string explainUnavailable(const std::string& device) const;
  // "process 4711 (minicom)" for the process holding a lock on `device`, or empty text.
  std::string lockHolder(const std::string& device) const;

  std::string m_locksFile;
};

}  // namespace trxctl
