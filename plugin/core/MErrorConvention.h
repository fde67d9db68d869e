#pragma once

#include <cerrno>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>

#include "host_api/IErrorService.h"
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
// Errors whose numbers are listed go on unchanged (kind 1, with their own source and
// description). Any other error is passed on with the class's ProgID as its source, and the
// operation ends. An operation that survives its errors uses GuardedReporting instead: the
// error is shown through the host, and the operation returns normally.
//
// Source and description of an error passed on: the source names the plug-in class whose
// operation failed, the description what failed. An error that already comes from a class of
// the plug-in keeps both (an outer class passing it on learns nothing new); an error from
// elsewhere (the host, the platform, the driver, a C++ failure) takes the class's ProgID and
// keeps its origin in parentheses after its description.
namespace MErrorConvention {

inline constexpr int32_t KindPassedOn = host_api::ErrorKind::PassedOn;
inline constexpr int32_t KindFailure = host_api::ErrorKind::Failure;
inline constexpr int32_t KindNotice = host_api::ErrorKind::Notice;
inline constexpr int32_t KindMisuse = host_api::ErrorKind::Misuse;

// "orvelTRX440.<className>", the source the plug-in's classes raise and pass on errors with.
std::string ProgID(const std::string& className);

// Raises the plug-in's own error through the host error service; `args` (at most five) fill the
// placeholders of the error's message.
[[noreturn]] void RaiseOwn(const std::string& source, int32_t number, int32_t kind,
                           const platform::Parameters& args = {});

// Reports the plug-in's own condition through the host error service. A notice (KindNotice) is
// shown and the call returns, so the operation carries on at its next statement; any other
// kind ends the operation as RaiseOwn does.
void Report(const std::string& source, int32_t number, int32_t kind,
            const platform::Parameters& args = {});

// The exception being handled as an error of the system: a ComError as it is, a C++ failure as
// the run-time error it amounts to, with `source` (the failing class) as its source. Call only
// from inside a catch block.
platform::ComError CurrentError(const std::string& source);

// The error as the class `source` passes it on (see above).
platform::ComError Placed(const platform::ComError& error, const std::string& source);

// Applies the convention to a caught error: raises it again unchanged when its number is in
// `passedOn`, otherwise passes it on from `source`.
[[noreturn]] void HandleError(const platform::ComError& error, const std::string& source,
                              std::initializer_list<int32_t> passedOn);

// As HandleError, but an error whose number is not listed is shown through the host and the
// call returns.
void ReportError(const platform::ComError& error, const std::string& source,
                 std::initializer_list<int32_t> passedOn);

// Runs `body` under the convention and returns its result.
template <typename Body>
auto Guarded(const std::string& source, std::initializer_list<int32_t> passedOn, Body&& body)
    -> decltype(body()) {
  try {
    return body();
  } catch (...) {
    HandleError(CurrentError(source), source, passedOn);
  }
}

// As Guarded, for an operation that survives its errors: an error whose number is not listed is
// shown through the host and the operation returns normally, with an empty result.
template <typename Body>
auto GuardedReporting(const std::string& source, std::initializer_list<int32_t> passedOn,
                      Body&& body) -> decltype(body()) {
  try {
    return body();
  } catch (...) {
    ReportError(CurrentError(source), source, passedOn);
  }
  if constexpr (!std::is_void_v<decltype(body())>) return {};
}

// Runs a clean-up whose own errors must not replace the error being handled.
using platform::IgnoreErrors;

// As Guarded, but when `body` fails the error is first captured in the error buffer (with the
// system error number of the moment), then `cleanup` runs with its errors ignored, and then the
// captured error follows the convention. A clean-up may itself run guarded operations that fail
// and fill the shared buffer; the captured error is what goes on, and the buffer holds it again.
template <typename Body, typename Cleanup>
auto GuardedWithCleanup(const std::string& source, std::initializer_list<int32_t> passedOn,
                        Body&& body, Cleanup&& cleanup) -> decltype(body()) {
  try {
    return body();
  } catch (...) {
    const int32_t lastError = errno;
    const platform::ComError captured = CurrentError(source);
    CErrorBuffer& buffer = CErrorBuffer::instance();
    buffer.Initialize(captured, lastError);
    IgnoreErrors(cleanup);
    buffer.Initialize(captured, lastError);
    HandleError(captured, source, passedOn);
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
    for (int32_t number : numbers) {
      if (number == error.number()) return false;
    }
    throw;
  }
}

}  // namespace MErrorConvention
}  // namespace plugin
