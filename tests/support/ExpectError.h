#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "platform/ComError.h"

// Runs `action`, which must raise a ComError, and returns that error for further checks.
inline platform::ComError expectComError(const std::function<void()>& action) {
  try {
    action();
  } catch (const platform::ComError& e) {
    return e;
  }
  ADD_FAILURE() << "expected a ComError, none was raised";
  return platform::ComError(0, "", "(none)");
}
