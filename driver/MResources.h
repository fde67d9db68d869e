#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vti {

// The driver's resource strings: messages, instrument error texts (and whatever else the driver
// keeps as data), looked up by id.
namespace MResources {

// The text stored under `id`, or empty text when there is none.
std::string LoadResString(int32_t id);

// Reads a string table in the format of resources/driver/strings.txt. Exposed for tests.
std::unordered_map<int32_t, std::string> ParseStringTable(std::string_view source);

}  // namespace MResources

}  // namespace vti
