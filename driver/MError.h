#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "driver/TrxTypes.h"
#include "platform/MessageText.h"

namespace vti {

// The driver's way of raising and describing errors, shared by every class of the driver.
namespace MError {

// Source given to errors that the instrument reported.
inline constexpr const char* kInstrumentSource = "MError";
// Plug-in id under which the host translates the driver's texts.
inline constexpr const char* kPluginId = "TRX440";

// Raises `number` as a platform::ComError. An empty description takes the driver's message of
// that number (resource id 900 + offset); the text is translated and its placeholders filled
// from `params` before it is raised.
[[noreturn]] void RaiseVtiError(int32_t number, const std::string& source,
                                const std::string& description = {},
                                const platform::Parameters& params = {});

// Translates a message text through the host application service. Without a host (an error
// while the host is shutting down, a tool without one) the English text is used, so the
// original error is never replaced by a complaint about the missing host.
std::string TranslateText(const std::string& text, const platform::Parameters& params = {});

// Whether `number` lies in the driver's own range of error numbers.
bool IsVtiError(int32_t number);

// The message text of an instrument error code (the number after "!"), or nothing when the code
// is not one the instrument documents as an error.
std::optional<std::string> InstrumentErrorText(int32_t code);

// A reply as it may safely appear in a message: control characters and bytes outside printable
// ASCII are written as <CR>, <LF>, <ESC> or <0xNN>, so a garbled reply can neither cut the text
// nor drive the terminal.
std::string EscapeControlChars(std::string_view text);

}  // namespace MError

}  // namespace vti
