#pragma once

#include "platform/PlatformExport.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Variant.h"

namespace platform {

// A user-visible text is kept as "<id>::<English default>" and translated only when shown.
struct ORVEL_PLATFORM_API MessageText {
  std::optional<std::string> id;  // absent when the text carries no "<id>::" prefix
  std::string text;               // the default text after "::" (or the whole text), as it stands

  static MessageText parse(std::string_view raw);
};

// A message id: up to 8 ASCII letters followed by 1 to 9 decimal digits ("20351", "T1708").
// Anything else before "::" is part of an ordinary text.
ORVEL_PLATFORM_API bool isMessageId(std::string_view id);

using Parameters = std::vector<Variant>;

// Fills "%%1", "%%2", ... from a zero-based parameter array (element 0 replaces "%%1").
// A placeholder without its parameter is left as it stands, so nothing of the text is lost.
ORVEL_PLATFORM_API std::string fillPlaceholders(std::string text, const Parameters& params);

// Turns the two characters backslash-n of stored resource texts into a line break.
ORVEL_PLATFORM_API std::string expandLineBreaks(std::string text);

}  // namespace platform
