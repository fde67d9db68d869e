#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

// The host's table of limit standards: the id a limit standard is stored under and the name it
// is shown by.
//
//   1 "AAMI/NFPA-99"   2 "IEC 60601-1"      3 "IEC 61010"   4 "IEC 62353"
//   5 "AS/NZS 3551"    6 "AAMI ES60601-1"   7 "VDE 751.1"   8 "DB9801S1"
namespace StandardNames {

// The name of `standardId`; nothing for an id outside the table.
std::optional<std::string> name(int32_t standardId);

// Every (id, name) of the table, by id.
const std::vector<std::pair<int32_t, std::string>>& all();

// The id of the standard a person wrote ("IEC 62353:2014", "iec 60601-1", "EN 62353",
// "AAMI ES 60601-1"); nothing when the text names none of the table's standards or is empty.
// Texts are compared without regard to case, spaces and punctuation, and the names are tried
// from the most specific down, so that "AAMI ES60601-1" is never taken for IEC 60601-1 (its
// number is in it) nor for AAMI/NFPA-99 (it starts with the same word).
std::optional<int32_t> idOf(const std::string& text);

}  // namespace StandardNames
}  // namespace host
