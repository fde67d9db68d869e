#pragma once

#include <string>

#include "platform/forms/AcceleratorKey.h"

namespace platform::forms {

// Whether an item (list row, node, tab, toolbar button) is the one asked for by key or by the
// text the operator sees.
inline bool matchesItem(const std::string& key, const std::string& text,
                        const std::string& wanted) {
  return (!key.empty() && key == wanted) || text == wanted || displayCaption(text) == wanted;
}

}  // namespace platform::forms
