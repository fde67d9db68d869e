#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "driver/TrxTypes.h"

// The driver's enumerations by name, as a person types them on the command line ("etcPatLeak",
// "epcNCRM") and as trxctl prints them, and in words beside those names.
namespace apps::EnumNames {

// A name (any letter case) or a decimal number within the enumeration.
std::optional<vti::ETrxTestCode> parseTestCode(const std::string& text);
std::optional<vti::ETrxPowerConfiguration> parsePowerConfig(const std::string& text);

std::string testCodeName(vti::ETrxTestCode code);
std::string powerConfigName(vti::ETrxPowerConfiguration config);
std::string testStateName(vti::ETrxTestState state);

// The same in words ("Patient leakage", "reversed mains", "completed"), and what a test's reading
// is ("current from the applied parts to earth").
std::string testCodeWords(vti::ETrxTestCode code);
std::string powerConfigWords(vti::ETrxPowerConfiguration config);
std::string testStateWords(vti::ETrxTestState state);
std::string testMeasures(vti::ETrxTestCode code);
// "Patient leakage, reversed mains (etcPatLeak epcNCRM)"
std::string describeTest(vti::ETrxTestCode code, vti::ETrxPowerConfiguration config);

// The driver's ASCII unit ("uA", "Ohm", "MOhm") as a person reads it ("µA", "Ω", "MΩ"); other
// units ("V", "A") as they are.
std::string unitSymbol(const std::string& unit);

}  // namespace apps::EnumNames
