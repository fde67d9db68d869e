#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plugin {

// The keys of the multi test's readings. A reading is keyed by its module and the limit key of
// its class and measurement type; a reading per lead adds "#" and the lead position (after the
// prefix of the module or module group it belongs to); a reading of one of several members or
// sub-positions of a module starts with that sub-position ("::@2$..."):
//   "::3::CF_AC"          module 3, all leads together
//   "::@1$3::CF_AC#32"    module 3, sub-position 1, lead position 2
namespace MLeadKeys {

struct Parts {
  int32_t moduleId = 0;
  std::string classCode;  // "B", "BF", "CF"; "_" for a module's heading
  std::string suffix;     // "", "_AC", "_DC", "_TOT", "_ACTOT", "_DCTOT"
  int32_t position = 0;   // lead position from 1; 0 for a reading of the whole module
  std::string prefix;     // the module's or group's id before the position
  std::string subPosition;
};

std::string Key(const Parts& parts);

// The number of the sub-position a key starts with ("::@2$..." gives 2); 0 when it has none.
int32_t SubPositionNumber(const std::string& key);

// The reading of the previous sub-position that `key` belongs after: among `keys`, the last one
// of sub-position one lower whose class, suffix and lead position are the same. Empty when the
// key is of the first sub-position or no such reading is held.
std::string PreviousSubPosition(const std::string& key, const std::vector<std::string>& keys);

}  // namespace MLeadKeys
}  // namespace plugin
