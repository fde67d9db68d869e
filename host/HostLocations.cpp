#include "host/HostLocations.h"

#include <cstdlib>
#include <string>

namespace host::HostLocations {

namespace {
// An unset and an empty variable mean the same: "not configured".
const char* envOrNull(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}
}  // namespace

std::filesystem::path registryFile() {
  if (const char* explicitFile = envOrNull("ORVEL_REGISTRY")) return explicitFile;
  if (const char* config = envOrNull("XDG_CONFIG_HOME")) {
    return std::filesystem::path(config) / "orvel" / "registry.ini";
  }
  if (const char* home = envOrNull("HOME")) {
    return std::filesystem::path(home) / ".config" / "orvel" / "registry.ini";
  }
  // Without a home folder the settings stay beside the process rather than nowhere.
  return std::filesystem::path(".config") / "orvel" / "registry.ini";
}

std::filesystem::path resourceDir() {
  if (const char* dir = envOrNull("ORVEL_RESOURCES")) return dir;
  return ORVEL_DEFAULT_RESOURCES;
}

}  // namespace host::HostLocations
