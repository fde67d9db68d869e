#pragma once

#include <cstdint>

#include "host_api/TestGuideSettings.h"
#include "platform/NumberFormat.h"

namespace plugin {

// Small tools every part of the plug-in shares.
namespace MSharedTools {

// The plug-in's installation-wide settings and the host's system settings (local machine).
inline constexpr const char* PlugInKey = "Software\\Tavik\\orvel\\TRX440";
inline constexpr const char* SystemKey = host_api::kSystemSettingsKey;

// The number formatter: invariant decimal point, no blanks.
using platform::formatNumber;

// Whether the host keeps its test guide on top, so prompts must be placed above it: the system
// setting "Test guide settings" is 4 or 9 and above. False when the key or value is missing.
bool TestGuideOnTop();

// "Nomenclature" of the plug-in settings; 0 when it is missing.
int32_t DefaultNomenclature();

// "PolarityDelay" of the plug-in settings in seconds, 1 to 5; anything else (missing, 0, above
// 5, and also below 0) gives 1.
int16_t DefaultPolarityDelay();

}  // namespace MSharedTools
}  // namespace plugin
