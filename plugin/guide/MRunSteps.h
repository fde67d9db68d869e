#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace host_api {
class ITestElement;
}

namespace plugin {

class CAutoRunSetup;
class CConfigTestGroup;
class CModuleEntry;
class CModuleSetup;
class IAutoTest;

// The steps the run strategies and the module expansion share: walking an element tree through
// the host's interfaces, the stop check, handing options to the driver, module selections.
namespace MRunSteps {

// The outlet's power phases in the order the optimized strategies run them: first the tests
// that need no phase of their own (0), then power off, normal, open neutral, open neutral
// reversed, reversed.
inline constexpr std::array<int32_t, 6> AllPhases{0, 1, 2, 3, 4, 5};
inline constexpr std::array<int32_t, 5> PoweredPhases{1, 2, 3, 4, 5};

std::shared_ptr<host_api::ITestElement> ElementOf(const std::shared_ptr<IAutoTest>& iat);
std::shared_ptr<IAutoTest> PlugInTest(const std::shared_ptr<host_api::ITestElement>& element);
// The children of a group in order; none for a leaf.
std::vector<std::shared_ptr<host_api::ITestElement>> Children(
    const std::shared_ptr<IAutoTest>& iat);

// The group's own configuration; null for a leaf or a group without one.
std::shared_ptr<CConfigTestGroup> GroupConfigurationOf(const std::shared_ptr<IAutoTest>& iat);
// The configuration whose options govern how `element` runs: its owning element's, or, when
// the owning element gives none (a test two levels below a whole sequence), that of the
// nearest group, so that the expansion and the multi test read the same options.
std::shared_ptr<CConfigTestGroup> GoverningConfiguration(
    const std::shared_ptr<host_api::ITestElement>& element);

// The power phase a leaf's driver test runs in; 0 for a leaf without one.
int32_t PhaseOf(const IAutoTest& leaf);
// The driver's test code of a leaf; 0 for a leaf without a driver test.
int32_t TestCodeOf(const IAutoTest& leaf);

// Ends the run with the stop error (from `source`) when the setup's State asks for it.
void StopCheck(const CAutoRunSetup& cas, const char* source);
[[noreturn]] void RaiseStop(const char* source);

// Hands the element's own options to the driver connection; nothing while none is open.
void ApplyOptions(const std::shared_ptr<host_api::ITestElement>& element);

// A new setup that holds these very module objects under their own ids, in the nomenclature
// given (set before the modules join, so that their classes stay as they are).
std::shared_ptr<CModuleSetup> SelectionOf(const std::vector<std::shared_ptr<CModuleEntry>>& entries,
                                          int32_t nomenclature);

}  // namespace MRunSteps
}  // namespace plugin
