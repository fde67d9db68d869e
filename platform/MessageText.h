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
  std::optional<int> id;  // absent when the text carries no "<digits>::" prefix
  std::string text;       // the default text after "::" (or the whole text)

  static MessageText parse(std::string_view raw);
};

using Parameters = std::vector<Variant>;

// Fills "%%1", "%%2", ... from a zero-based parameter array (element 0 replaces "%%1").
// A placeholder without its parameter is left as it stands, so nothing of the text is lost.
ORVEL_PLATFORM_API std::string fillPlaceholders(std::string text, const Parameters& params);

// Turns the two characters backslash-n of stored resource texts into a line break.
ORVEL_PLATFORM_API std::string expandLineBreaks(std::string text);

}  // namespace platform
