#pragma once

#include <cstdint>
#include <string>

namespace plugin {

// Reading the keys of measurement records. A key is a limit key ("::" + class code + type
// suffix: "::BF_AC"), optionally preceded by "::" and a module number of one or two digits
// ("::2::BF_AC") and optionally followed by "#" and a lead number ("::2::BF_AC#3") or, for a
// protective-earth reading per measuring point, directly by the point number ("::ST4").
// The functions never throw: a part that is not there simply adds nothing.
namespace MMeasurementKey {

// The key under which the reading's limits are looked up.
std::string LimitKeyOf(const std::string& key);

// The module number that groups the rows of one module: the digit after the leading "::", or
// the two digits when the fourth character is not ":". 0 when there is none.
int32_t ModuleNumberOf(const std::string& key);

}  // namespace MMeasurementKey
}  // namespace plugin
