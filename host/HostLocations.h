#pragma once

#include <filesystem>

namespace host {

// Where the host keeps its files. Each environment override is read at the moment of the call,
// so a test (or a person) can point the host elsewhere without rebuilding.
namespace HostLocations {

// The settings file behind the registry: ORVEL_REGISTRY, else
// $XDG_CONFIG_HOME/orvel/registry.ini, else ~/.config/orvel/registry.ini.
std::filesystem::path registryFile();

// The resource folder (message catalogues below lang/): ORVEL_RESOURCES, else the folder the
// build was made from.
std::filesystem::path resourceDir();

}  // namespace HostLocations
}  // namespace host
