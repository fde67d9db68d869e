#pragma once

#include <cstdint>
#include <memory>

#include "host_api/TestGuideSettings.h"
#include "platform/NumberFormat.h"

namespace host_api {
class ITestElement;
}

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

// The element whose settings govern `element`: the top-most of at most two steps up through
// this plug-in's elements, where a group ("..00") governs and a test below it is governed. Null
// when two steps up still find a parent of this plug-in.
std::shared_ptr<host_api::ITestElement> OwningElement(
    const std::shared_ptr<host_api::ITestElement>& element);

}  // namespace MSharedTools
}  // namespace plugin
