#pragma once

#include <cstdint>

#include "host_api/HostServices.h"

namespace host_api {

// Where the host keeps the settings of its test guide.
inline constexpr const char* kSystemSettingsKey = "Software\\Tavik\\orvel\\Executive\\System";

// Whether the host keeps its test guide on top, so that prompts must be placed above it: the
// system setting "Test guide settings" is 4 or 9 and above. False when the key or the value is
// missing. The plug-in and the driver both place their prompts by it.
inline bool TestGuideOnTop() {
  auto key = hostServices().newRegistryKey();
  if (!key || !key->Open(RegistryRoot::LocalMachine, kSystemSettingsKey)) return false;
  int32_t settings = key->ReadLong("Test guide settings").value_or(0);
  return settings == 4 || settings >= 9;
}

}  // namespace host_api
