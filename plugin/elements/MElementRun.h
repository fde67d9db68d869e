#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ComError.h"

namespace host_api {
class ITestElement;
class ITestRun;
}  // namespace host_api

namespace vti {
class CTrxSafetyTest;
class CTrxTestResult;
}  // namespace vti

namespace plugin {

class CAutoRunSetup;
class CResultData;

// The steps every test element takes around one instrument reading in an autorun: tell the
// guide which element runs, hand the run's leads to the driver's safety test, run it, report a
// kept result, and end the run when the operator or the driver stopped it.
namespace MElementRun {

// Operator decisions after a reading (the halt and repeat dialogs answer with these).
namespace Decision {
constexpr int32_t Accept = 0;
constexpr int32_t Discard = 1;
constexpr int32_t Repeat = 2;
constexpr int32_t Stop = 3;
}  // namespace Decision

// The guide highlights `element` while it runs (nothing without an open guide).
void Highlight(const std::shared_ptr<host_api::ITestElement>& element);

// The lead standard of the run's terms (1 for AAMI modules, else 0) goes to the setup and, with
// the applied-part text, to the safety test.
void PrepareSafetyTest(vti::CTrxSafetyTest& test, CAutoRunSetup& setup);

// Runs `test` on the run's driver connection (opened when none is) with the guide's window as
// the owner of the driver's prompts, and returns the driver's result. A connection that cannot
// be opened has told the operator why; the run stops then.
std::shared_ptr<vti::CTrxTestResult> RunOnDriver(
    const std::shared_ptr<host_api::ITestElement>& element,
    const std::shared_ptr<vti::CTrxSafetyTest>& test, CAutoRunSetup& setup,
    const std::string& source);

// After readings were kept: the result names the instrument that measured them, the guide shows
// it and the run notes the element as performed.
void ReportKept(const std::shared_ptr<host_api::ITestElement>& element, CResultData& result,
                CAutoRunSetup& setup);

// The stop of a run from inside an element: the driver skips the rest of its sequence (when a
// connection exists) and the run ends with errStopRun from `source`.
[[noreturn]] void StopRun(const std::string& source);
[[noreturn]] void RaiseStop(const std::string& source);

// The error of a RunTest as it leaves the element: a stop (the run's own or the operator's stop
// in a driver prompt) becomes errStopRun from `source`; anything else goes on as it is.
[[noreturn]] void RethrowRunError(const std::string& source);

// Runs `body`, turning its errors as RethrowRunError says.
template <typename Body>
auto Guarded(const std::string& source, Body&& body) -> decltype(body()) {
  try {
    return body();
  } catch (...) {
    RethrowRunError(source);
  }
}

}  // namespace MElementRun
}  // namespace plugin
