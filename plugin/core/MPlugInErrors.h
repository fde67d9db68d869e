#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace plugin {

// The plug-in's id towards the host: errors, translations and stored data carry it.
inline constexpr const char* PlugInId = "TRX440";

// Error numbers are HRESULTs; written as hex they exceed int32_t, so they are converted once.
constexpr int32_t errorNumber(uint32_t hresult) { return static_cast<int32_t>(hresult); }

// The plug-in's own error numbers, and those of the host that the plug-in's operations treat
// by number.
namespace MPlugInErrors {
// A catalogue element the installation cannot provide; loading skips it and carries on.
inline constexpr int32_t errElementUnavailable = errorNumber(0x80048ACD);
// Ends a run from deep inside; passes unchanged through every scheduler to the test guide.
inline constexpr int32_t errStopRun = errorNumber(0x80047349);
inline constexpr int32_t errNotInitialized = errorNumber(0x8004A229);
inline constexpr int32_t errCatalogueNotFound = errorNumber(0x8004A22A);
inline constexpr int32_t errCatalogueContent = errorNumber(0x8004A22C);
inline constexpr int32_t errSettingsKey = errorNumber(0x8004A28E);
inline constexpr int32_t errCatalogueFile = errorNumber(0x8004A28F);
inline constexpr int32_t errElementLoad = errorNumber(0x8004A2C8);
inline constexpr int32_t errGroupSave = errorNumber(0x8004A2CD);
// Test elements cannot run here: the host offers no test guide to run them in.
inline constexpr int32_t errElementRunUnavailable = errorNumber(0x8004A2D0);
inline constexpr int32_t errGroupRemove = errorNumber(0x8004A2F1);
inline constexpr int32_t errModuleLoad = errorNumber(0x8004A3C2);
inline constexpr int32_t errConfigSave = errorNumber(0x8004A3C3);
inline constexpr int32_t errModuleContent = errorNumber(0x8004A3C4);
// Stored result data that is not a "ResultItem"; loading carries on.
inline constexpr int32_t errNotAResultItem = errorNumber(0x8004A3EB);
inline constexpr int32_t errResultSave = errorNumber(0x8004A3EC);
inline constexpr int32_t errMeasurementLoad = errorNumber(0x8004A3FF);
inline constexpr int32_t errMeasurementSave = errorNumber(0x8004A400);
// Limit data asked to load an element that is not its "ExpectedResult".
inline constexpr int32_t errLimitDataElement = errorNumber(0x8004A4EE);
// Registry failures: the settings cannot be read or written at all, or one value is missing
// (the setting then keeps its default).
inline constexpr int32_t errRegistryRead = errorNumber(0x8004A68B);
inline constexpr int32_t errRegistryWrite = errorNumber(0x8004A68D);
inline constexpr int32_t errRegistryValueMissing = errorNumber(0x8004A68E);

// Message texts ("<id>::<English>") of the numbers above; a message's id is the low 16 bits
// of its error number, so a translator finds 0x8004A22A under 41514.
const std::map<int32_t, std::string>& Messages();
}  // namespace MPlugInErrors

}  // namespace plugin
