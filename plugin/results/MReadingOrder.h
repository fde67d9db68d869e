#pragma once

#include "platform/Variant.h"

namespace plugin {

// The one order in which readings are compared: when a result keeps the greater of two readings
// under one key, when it finds its greatest and smallest reading, and when a group picks its
// summary. Numbers compare by value. The instrument's "OL" (beyond the measuring range) is
// above every number, since the quantity was too large to measure; two "OL" are equal. Anything
// else that is no number (other texts, Booleans, empty, not-a-number) counts as 0.
namespace MReadingOrder {

// Negative when `a` is below `b`, 0 when equal, positive when above.
int Compare(const platform::Variant& a, const platform::Variant& b);

inline bool Less(const platform::Variant& a, const platform::Variant& b) {
  return Compare(a, b) < 0;
}

// The instrument's text for a reading beyond the measuring range.
inline constexpr const char* OverRange = "OL";

}  // namespace MReadingOrder
}  // namespace plugin
