#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/ComError.h"
#include "platform/ErrorBoundary.h"
#include "platform/MessageText.h"
#include "plugin/core/CErrorBuffer.h"

namespace plugin {

// How every operation the host calls handles its errors. A handler is one call:
//
//   void CTestSingle::Load(IXmlElement& element) {
//     MErrorConvention::Guarded(MErrorConvention::ProgID("CTestSingle"),
//                               {MPlugInErrors::errElementLoad}, [&] { ... });
//   }
//
// Errors whose numbers are listed go on unchanged (kind 1, with their own source); anything else
// is passed on with the class's ProgID, and the operation ends.
namespace MErrorConvention {

// Kinds of the plug-in's own conditions, as each operation states them.
inline constexpr int32_t KindPassedOn = 1;

// "orvelTRX440.<className>", the source the plug-in's classes raise and pass on errors with.
std::string ProgID(const std::string& className);

// Raises the plug-in's own error through the host error service; `args` (at most five) fill the
// placeholders of the error's message.
[[noreturn]] void RaiseOwn(const std::string& source, int32_t number, int32_t kind,
                           const platform::Parameters& args = {});

// The exception being handled as an error of the system: a ComError as it is, a C++ failure as
// the run-time error it amounts to. Call only from inside a catch block.
platform::ComError CurrentError();

// Applies the convention to a caught error: raises it again unchanged when its number is in
// `passedOn`, otherwise passes it on with `source`.
[[noreturn]] void HandleError(const platform::ComError& error, const std::string& source,
                              std::initializer_list<int32_t> passedOn);

// Runs `body` under the convention and returns its result.
template <typename Body>
auto Guarded(const std::string& source, std::initializer_list<int32_t> passedOn, Body&& body)
    -> decltype(body()) {
  try {
    return body();
  } catch (...) {
    HandleError(CurrentError(), source, passedOn);
  }
}

// Runs a clean-up whose own errors must not replace the error being handled.
using platform::IgnoreErrors;

// As Guarded, but when `body` fails the error is first captured in the error buffer, then
// `cleanup` runs with its errors ignored, and then the captured error follows the convention.
template <typename Body, typename Cleanup>
auto GuardedWithCleanup(const std::string& source, std::initializer_list<int32_t> passedOn,
                        Body&& body, Cleanup&& cleanup) -> decltype(body()) {
  try {
    return body();
  } catch (...) {
    CErrorBuffer& buffer = CErrorBuffer::instance();
    buffer.Initialize(CurrentError());
    IgnoreErrors(cleanup);
    HandleError(buffer.ErrObj_get(), source, passedOn);
  }
}

// Runs one statement after which the operation resumes when it fails with one of `numbers`.
// Returns whether the statement completed; other errors go on to the operation's handler.
template <typename Statement>
bool ResumeAfter(std::initializer_list<int32_t> numbers, Statement&& statement) {
  try {
    statement();
    return true;
  } catch (const platform::ComError& error) {
    if (std::find(numbers.begin(), numbers.end(), error.number()) == numbers.end()) throw;
    return false;
  }
}

}  // namespace MErrorConvention
}  // namespace plugin
