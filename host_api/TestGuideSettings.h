#pragma once

#include <cstdint>

#include "host_api/HostServices.h"

namespace host_api {

// Where the host keeps the settings of its test guide.
inline constexpr const char* kSystemSettingsKey = "Software\\Tavik\\orvel\\Executive\\System";

// Whether the host keeps its test guide on top, so that prompts must be placed above it: the
// system setting "Test guide settings" is 4 or 9 and above. False whenever the setting cannot be
// read: no host services, no registry, a missing key or value, or a settings file that cannot be
// read. Where a prompt goes must never stop the prompt from being shown. The plug-in and the
// driver both place their prompts by it.
inline bool TestGuideOnTop() {
  try {
    auto& services = hostServices();
    auto key = services.newRegistryKey ? services.newRegistryKey() : nullptr;
    if (!key || !key->Open(RegistryRoot::LocalMachine, kSystemSettingsKey)) return false;
    int32_t settings = key->ReadLong("Test guide settings").value_or(0);
    return settings == 4 || settings >= 9;
  } catch (const platform::ComError&) {
    return false;
  }
}

}  // namespace host_api
