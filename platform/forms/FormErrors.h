#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <string>

#include "platform/ComError.h"

namespace platform::forms {

// Error numbers of the forms runtime. The first two are the run-time numbers callers know from
// forms; the others are the runtime's own.
constexpr int32_t errInvalidPropertyValue = 380;  // a property set out of its range
constexpr int32_t errNoSuchElement = 381;         // an item, cell or column that is not there
constexpr int32_t errElementNotFound = 35601;     // no node or button with that key
constexpr int32_t errKeyNotUnique = 35602;        // a key that is taken
constexpr int32_t errFormAlreadyShown = 400;      // a visible form cannot be shown modally
constexpr int32_t errControlNotFound = 730;       // no control of that name on the form
constexpr int32_t errNoTerminal = static_cast<int32_t>(0x80040F01);    // console without a tty
constexpr int32_t errNoAnswer = static_cast<int32_t>(0x80040F02);      // scripted: no rule fits
constexpr int32_t errAnswerFailed = static_cast<int32_t>(0x80040F03);  // scripted: action refused
constexpr int32_t errAnswersFile = static_cast<int32_t>(0x80040F04);   // answers file unreadable

// The error of a number property set outside minimum..maximum, naming the control.
ORVEL_PLATFORM_API ComError valueOutOfRange(const std::string& control, int32_t value, int32_t min,
                                            int32_t max);

}  // namespace platform::forms
