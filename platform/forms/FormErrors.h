#pragma once

#include <cstdint>

namespace platform::forms {

// Error numbers of the forms runtime. The first two are the run-time numbers callers know from
// forms; the others are the runtime's own.
constexpr int32_t errFormAlreadyShown = 400;  // a visible form cannot be shown modally
constexpr int32_t errControlNotFound = 730;   // no control of that name on the form
constexpr int32_t errNoTerminal = static_cast<int32_t>(0x80040F01);    // console without a tty
constexpr int32_t errNoAnswer = static_cast<int32_t>(0x80040F02);      // scripted: no rule fits
constexpr int32_t errAnswerFailed = static_cast<int32_t>(0x80040F03);  // scripted: action refused
constexpr int32_t errAnswersFile = static_cast<int32_t>(0x80040F04);   // answers file unreadable

}  // namespace platform::forms
