#pragma once

#include <string>

namespace plugin {

// Where the plug-in's code was loaded from: its files (the test element catalogue) lie beside it.
namespace MLibraryLocation {

// The folder of the shared library (or program) that holds the plug-in's code, without a
// trailing separator; empty when the system cannot tell.
std::string Folder();

}  // namespace MLibraryLocation
}  // namespace plugin
