#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/TextTools.h"

// Small text helpers shared by the scenario reader, the fault script and the analyzer model.
namespace sim::text_tools {

using platform::trim;
std::string upper(std::string_view text);
// Splits at every `separator`; parts are trimmed; empty parts are kept.
std::vector<std::string> split(std::string_view text, char separator);
// Splits at runs of blanks; no empty parts.
std::vector<std::string> words(std::string_view text);
// A whole text as a finite number, or nothing ("12", "0.5", "-3").
std::optional<double> number(std::string_view text);
// A whole text as a non-negative integer, or nothing.
std::optional<long> count(std::string_view text);
// "250 ms", "250ms", "2 s", "2s" or a bare number of milliseconds. Throws std::invalid_argument.
platform::Duration duration(std::string_view text);
// JSON string contents: quotes, backslashes and every control character escaped.
std::string jsonEscape(std::string_view text);

}  // namespace sim::text_tools
