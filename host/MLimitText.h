#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Numbers of limits and standards as stored texts: always "." as the decimal point, whatever the
// process locale, and the whole text must be the number ("12abc" is not 12), because a limit
// read wrongly would judge readings wrongly without anyone noticing.
namespace host::MLimitText {

// A finite single-precision number, blanks at either end allowed; nothing for anything else
// (empty, "abc", "1e39" beyond the single range, "nan", "inf").
std::optional<float> parseSingle(std::string_view text);

// A whole decimal number within 32 bits; nothing otherwise (also "1.5", "99999999999").
std::optional<int32_t> parseLong(std::string_view text);

// The shortest decimal text that reads back to the same single ("0.1", "10", "1e+20"); empty for
// no value.
std::string formatSingle(std::optional<float> value);

}  // namespace host::MLimitText
