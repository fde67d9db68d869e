#pragma once

#include <optional>
#include <string>

// Booleans as the host stores them: "True" and "False".
namespace host::MBooleanText {

inline const char* format(bool value) { return value ? "True" : "False"; }

// "True"/"False" in any case, and "-1"/"1"/"0" as older files wrote them; nothing otherwise, so
// that a caller keeps its default rather than reading garbage as false.
std::optional<bool> parse(const std::string& text);

}  // namespace host::MBooleanText
