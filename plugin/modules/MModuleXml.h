#pragma once

#include <cstdint>
#include <string>

#include "host_api/ILoadLog.h"
#include "host_api/IXmlService.h"
#include "plugin/modules/CModuleCollection.h"

namespace plugin {

// Reading and writing of stored module setups, shared by modules, groups and setups. Stored
// data is checked as it is read: whatever would make a setup ambiguous (a module without an
// id, two modules under one id, a number beyond 32 bits) ends the load with an error that names
// the element, so that nothing is replaced or dropped without a word.
namespace MModuleXml {

inline constexpr const char* ModuleTag = "Module";

// How an element shows in an error text: its name, and its "ID" when it has one.
std::string Describe(const host_api::IXmlElement& element);

// Raises the plug-in's error `number` from `source`, with `detail` after its message.
[[noreturn]] void Raise(const std::string& source, int32_t number, const std::string& detail);

// Raises 0x8004A3C2 unless the element is a "Module".
void RequireModuleTag(const host_api::IXmlElement& element, const std::string& source);

// The module's "ID": required and numeric (0x8004A3C4 otherwise).
int32_t ReadId(const host_api::IXmlElement& element, const std::string& source);

// A numeric attribute ("Class", "Leads", "FirstLead", "Nomenclature"): `current` when absent,
// empty or without a leading number; 0x8004A3C4 beyond 32 bits.
int32_t ReadNumber(const host_api::IXmlElement& element, const std::string& name, int32_t current,
                   const std::string& source);

// Loads the "Module" children of `setupElement` into a new collection, checking that no id is
// used twice at one level. `highestId` receives the highest id met, members included.
CModuleCollection LoadEntries(const host_api::IXmlElement& setupElement, int32_t& highestId,
                              const std::string& source);

// Writes to `log` what the loaded entries claim beyond the analyzer's sockets: runs outside
// sockets 1 to 5, more than five leads in all, groups without members.
void NoteUnusualSockets(const CModuleCollection& entries, host_api::ILoadLog* log);

}  // namespace MModuleXml
}  // namespace plugin
