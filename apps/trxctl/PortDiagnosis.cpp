#include "apps/trxctl/PortDiagnosis.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "driver/MPortTable.h"
#include "platform/serial/SerialPort.h"

namespace trxctl {

namespace {

constexpr const char* kNoAnswer = "the port opens, but no analyzer answered on it";

std::string processName(const std::string& pid) {
  std::ifstream comm("/proc/" + pid + "/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

}  // namespace

std::string PortDiagnosis::missingEntry(int32_t port) {
  const std::string name = "COM" + std::to_string(port);
  return name + " has no entry in the port table; add " + name +
         "=/dev/... under [HKLM\\Software\\Tavik\\orvel\\Ports] in the settings file";
}

bool PortDiagnosis::opens(const std::string& portOrPath) {
  auto port = vti::MPortTable::CreatePort(portOrPath);
  if (!port) return false;
  port->open();
  const bool ok = port->isOpen();
  port->close();
  return ok;
}

std::string PortDiagnosis::explain(const std::string& portOrPath) const {
  const auto number = vti::MPortTable::PortNumber(portOrPath);
  // Without a factory of its own the port table decides: a number without an entry has no
  // device, and opening it would only say "Port not found".
  if (number && !vti::MPortTable::PortFactorySlot() && vti::MPortTable::DevicePath(*number).empty())
    return missingEntry(*number);
  auto port = vti::MPortTable::CreatePort(portOrPath);
  if (!port) return missingEntry(number.value_or(0));
  port->open();
  const std::string status = port->status();
  const bool opened = port->isOpen();
  const std::string device = port->device();
  port->close();
  if (opened) return kNoAnswer;
  return explainDevice(device, status);
}

std::string PortDiagnosis::explainDevice(const std::string& device,
                                         const std::string& status) const {
  if (status == platform::serial::kStatusNotFound) return explainNotFound(device);
  if (status == platform::serial::kStatusUnavailable) return explainUnavailable(device);
  return status + ": " + device;
}

std::string PortDiagnosis::explainNotFound(const std::string& device) const {
  const std::string found = std::string(platform::serial::kStatusNotFound) + ": ";
  struct stat info {};
  if (device.empty() || ::stat(device.c_str(), &info) != 0)
    return found + (device.empty() ? "no device" : device) + " does not exist";
  if (S_ISREG(info.st_mode)) return found + device + " is a regular file, not a serial device";
  if (S_ISDIR(info.st_mode)) return found + device + " is a directory, not a serial device";
  return found + device + " is not a serial device";
}

std::string PortDiagnosis::explainUnavailable(const std::string& device) const {
  const std::string unavailable = std::string(platform::serial::kStatusUnavailable) + ": ";
  if (::access(device.c_str(), R_OK | W_OK) != 0)
    return unavailable + "no permission to read and write " + device;
  const std::string holder = lockHolder(device);
  return unavailable + device + " is in use by " +
         (holder.empty() ? std::string("another program") : holder);
}

std::string PortDiagnosis::lockHolder(const std::string& device) const {
  struct stat info {};
  if (::stat(device.c_str(), &info) != 0) return {};
  // A line of the lock table: "1: FLOCK  ADVISORY  WRITE 4711 00:19:6 0 EOF", the file as
  // major:minor (hexadecimal) of its file system and inode number. Waiting requests ("->")
  // hold nothing.
  std::ifstream locks(m_locksFile);
  for (std::string line; std::getline(locks, line);) {
    if (line.find("->") != std::string::npos) continue;
    std::istringstream fields(line);
    std::string id, kind, mode, access, pid, file;
    fields >> id >> kind >> mode >> access >> pid >> file;
    unsigned maj = 0, min = 0;
    unsigned long inode = 0;
    if (std::sscanf(file.c_str(), "%x:%x:%lu", &maj, &min, &inode) != 3) continue;
    if (maj != major(info.st_dev) || min != minor(info.st_dev) || inode != info.st_ino) continue;
    const std::string name = processName(pid);
    return "process " + pid + (name.empty() ? "" : " (" + name + ")");
  }
  return {};
}

}  // namespace trxctl
