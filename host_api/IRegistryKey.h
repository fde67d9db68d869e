#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <optional>
#include <string>

namespace host_api {

// Roots of the registry.
namespace RegistryRoot {
constexpr uint32_t ClassesRoot = 0x80000000;
constexpr uint32_t CurrentUser = 0x80000001;
constexpr uint32_t LocalMachine = 0x80000002;
constexpr uint32_t Users = 0x80000003;
}  // namespace RegistryRoot

// The host registry object: one key, opened under a root, with named values.
class ORVEL_HOST_API IRegistryKey {
 public:
  virtual ~IRegistryKey();

  // Opens `path` (for example "Software\\Tavik\\orvel\\TRX440") under `root`; `create` makes a
  // missing key. Returns whether the key is open.
  virtual bool Open(uint32_t root, const std::string& path, bool create = false) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;

  // Absent values (or a closed key) give nothing; a value that is not a number, or is beyond the
  // read's width, gives nothing from the numeric reads. A stored "1.0" reads as 1 (a fraction
  // rounds to the nearest, halves to even), always with "." as the decimal point.
  virtual std::optional<std::string> ReadText(const std::string& name) const = 0;
  virtual std::optional<int32_t> ReadLong(const std::string& name) const = 0;
  virtual std::optional<int16_t> ReadInteger(const std::string& name) const = 0;

  // Writes go to the settings file at once and atomically; on a key that is not open they throw
  // platform::ComError.
  virtual void WriteText(const std::string& name, const std::string& value) = 0;
  virtual void WriteLong(const std::string& name, int32_t value) = 0;
  virtual void WriteInteger(const std::string& name, int16_t value) = 0;
};

}  // namespace host_api
