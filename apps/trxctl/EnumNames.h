#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "driver/TrxTypes.h"

// The driver's enumerations by name, as a person types them on the command line ("etcPatLeak",
// "epcNCRM") and as trxctl prints them.
namespace trxctl::EnumNames {

// A name (any letter case) or a decimal number within the enumeration.
std::optional<vti::ETrxTestCode> parseTestCode(const std::string& text);
std::optional<vti::ETrxPowerConfiguration> parsePowerConfig(const std::string& text);

std::string testCodeName(vti::ETrxTestCode code);
std::string powerConfigName(vti::ETrxPowerConfiguration config);
std::string testStateName(vti::ETrxTestState state);

}  // namespace trxctl::EnumNames
