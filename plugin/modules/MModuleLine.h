#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/modules/CModuleSetup.h"

namespace plugin {

// The applied parts of a device as one line of text, for a host that sets them by name:
// "name:class:leads" items joined by commas, as in "ECG:CF:3,SpO2:BF:1". A class is B, BF, CF
// (IEC) or NI, I (AAMI); leads are 1 to 5. The modules take the analyzer's sockets in the order
// given, each from the socket after the previous one's last. Interchangeable modules on the same
// sockets (a group) are written as their names joined by "|": "ECG 3-lead|ECG 5-lead:CF:3".
namespace MModuleLine {

// One item of the text: a module, or the members of a group.
struct Item {
  std::vector<std::string> names;
  int32_t classId = 0;
  int32_t leads = 0;
  int32_t firstLead = 0;
};

// The items of `text` and, when the text is refused, the reason (naming the item that fails),
// with no items then. An empty text has no items. A class is read without regard to case; one
// that belongs to the other nomenclature than `nomenclature` is refused, since a module of such
// a class would never be selected for a test.
struct Parsed {
  std::vector<Item> items;
  std::string error;
};
Parsed Parse(const std::string& text, int32_t nomenclature);

// The setup's entries in that form (the report class texts, so that NI and I read as such).
std::string Format(const CModuleSetup& setup);

// Replaces the setup's entries by new modules (and groups) of `items`. Their descriptive fields
// start from the setup's module information template, with the name in the key item.
void Apply(CModuleSetup& setup, const std::vector<Item>& items);

}  // namespace MModuleLine
}  // namespace plugin
