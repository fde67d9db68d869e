#pragma once

#include <memory>

namespace host_api {
class ITestElement;
}

namespace plugin {

class CModuleEntry;
class CModuleSetup;
class CConfigTestGroup;

// Which modules of a device a test element measures: the module filters of its groups, and the
// classes and lead counts its kind of test needs.
namespace MModuleFilters {

// The group configuration of `element` when it is a group of this plug-in with one; else null.
std::shared_ptr<CConfigTestGroup> GroupConfiguration(const host_api::ITestElement& element);
// The configuration of the nearest group of this plug-in at or above `element`; null when none.
std::shared_ptr<CConfigTestGroup> EnclosingGroupConfiguration(
    const std::shared_ptr<host_api::ITestElement>& element);
// Whether `module` passes the module filter of every group from `element` up to the top.
bool PassAllGroupFilters(const std::shared_ptr<host_api::ITestElement>& element,
                         const CModuleEntry& module);
// For an element that requires modules and has a group configuration: whether one of `modules`
// passes its filter (false for none). True for any other element.
bool HasFilteredModule(const std::shared_ptr<host_api::ITestElement>& element,
                       const CModuleSetup* modules);
// Whether `modules` hold what the element's test needs: a module of class BF or CF for the
// tests of those classes (830, 1200-1299, 1400-1499, 1800-1899), a module of several leads for
// the lead-against-lead tests (1300-1399); true for any other test.
bool ModulesSuitTest(const host_api::ITestElement& element, const CModuleSetup* modules);
// Whether the entry is a module of the BF or CF class (neither B nor the AAMI NI).
bool IsIsolatedClass(const CModuleEntry& module);

}  // namespace MModuleFilters
}  // namespace plugin
