#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleSetup.h"

namespace plugin {

// Free operations on module classes, lead sockets and module setups.
namespace MModuleUtils {

// Module classes: 1 B, 2 BF, 3 CF (IEC terms), 4 NI, 5 I (AAMI terms).
inline constexpr int32_t ClassNone = 0;
inline constexpr int32_t ClassB = 1;
inline constexpr int32_t ClassBF = 2;
inline constexpr int32_t ClassCF = 3;
inline constexpr int32_t ClassNI = 4;
inline constexpr int32_t ClassI = 5;

// The class as text: the AAMI classes read "B" and "CF" (their limits are those), and "NI" and
// "I" for a report. Any other value gives the empty text.
std::string ClassText(int32_t classId, bool forReport);
// Exact, case-sensitive: "B", "BF", "CF", "NI", "I"; anything else gives 0.
int32_t ClassFromText(const std::string& text);
// The AAMI class that takes an IEC class's place: B gives NI, CF gives I, anything else 0.
int32_t AamiClassOf(int32_t classId);
// The translated name of socket 1 to 5 ("RA", "LL", "LA", "RL", "V1"); empty for any other.
std::string LeadDisplayName(int32_t socket);
// The member with id `moduleId` of the group at `position` of `setup`; null when absent.
std::shared_ptr<CModule> GroupMember(const CModuleSetup& setup, int32_t position, int32_t moduleId);
// Whether some entry of `modules` has more than one lead; false for no setup.
bool HasMultiLeadModule(const CModuleSetup* modules);

}  // namespace MModuleUtils
}  // namespace plugin
