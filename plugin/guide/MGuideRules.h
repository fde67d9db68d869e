#pragma once

#include <cstdint>
#include <memory>

namespace host_api {
class ITestElement;
}

namespace plugin {

class CConfigTestGroup;
class CModuleSetup;

// What the test guide decides from an element and from the error that ended a run, apart from
// the form: which module setup belongs to shown results, which configuration governs an
// element, whether a run holds tests an optimized group will pass over, and which errors the
// guide shows.
namespace MGuideRules {

// The module setup the element's readings were taken with: the one its result record (a
// group's ("..00") group result, any other's plain result) carries when it holds readings.
// Null when it holds none.
std::shared_ptr<CModuleSetup> ResultModuleSetup(const host_api::ITestElement& element);
// The elements whose readings carry no module setup: resistance (300-799) and ECG (1900).
bool WithoutModules(int32_t testId);
// The element's own group configuration, else that of the nearest group above it; null when
// there is none.
std::shared_ptr<CConfigTestGroup> GoverningConfiguration(
    const std::shared_ptr<host_api::ITestElement>& element);
// Whether a group at or below `element` runs optimized and holds an element of another plug-in.
bool HoldsForeignTestInOptimizedGroup(const std::shared_ptr<host_api::ITestElement>& element);
// Errors that end a run without a word from the guide: the driver has shown its own message,
// or the operator stopped the run.
bool EndsSilently(int32_t number);
// Errors whose own description says all the operator needs.
bool HasOwnDescription(int32_t number);

}  // namespace MGuideRules
}  // namespace plugin
