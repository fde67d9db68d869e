#include "host/HostPlugIn.h"

#include <cstdlib>
#include <system_error>

#include "platform/ComError.h"

namespace host {

namespace {

constexpr const char* kSource = "Orvel.PlugIn";

std::string libraryContext(const std::filesystem::path& library) {
  return "Plug-in library \"" + library.string() + "\"";
}

[[noreturn]] void rethrowFor(const std::filesystem::path& library,
                             const platform::ComError& error) {
  throw platform::ComError(error.number(), error.source(),
                           libraryContext(library) + ": " + error.description(), error.helpFile(),
                           error.helpContext());
}

std::shared_ptr<host_api::IPlugIn> createEntry(const std::filesystem::path& library,
                                               const std::string& entryProgId,
                                               platform::components::ComponentRegistry& registry) {
  if (!registry.isRegistered(entryProgId)) {
    throw platform::ComError(platform::RuntimeError::ClassNotRegistered, kSource,
                             libraryContext(library) + " offers no class \"" + entryProgId + "\"");
  }
  auto plugIn = std::dynamic_pointer_cast<host_api::IPlugIn>(registry.create(entryProgId));
  if (!plugIn) {
    throw platform::ComError(platform::RuntimeError::TypeMismatch, kSource,
                             libraryContext(library) + ": \"" + entryProgId + "\" is no plug-in");
  }
  return plugIn;
}

}  // namespace

HostPlugIn HostPlugIn::load(const std::filesystem::path& library,
                            const std::shared_ptr<host_api::ILoadLog>& log,
                            const std::string& entryProgId,
                            platform::components::ComponentRegistry& registry) {
  std::shared_ptr<platform::components::ComponentLibrary> loaded;
  try {
    loaded = platform::components::ComponentLibrary::load(library.string(), registry);
  } catch (const platform::ComError& error) {
    rethrowFor(library, error);
  }
  auto plugIn = createEntry(library, entryProgId, registry);
  try {
    plugIn->Initialize(log);
  } catch (const platform::ComError& error) {
    rethrowFor(library, error);
  }
  return HostPlugIn(std::move(loaded), std::move(plugIn));
}

std::filesystem::path HostPlugIn::defaultLibrary() {
  const char* configured = std::getenv("ORVEL_PLUGIN");
  if (configured && *configured) return configured;
  // An installed program finds the plug-in beside itself, as it finds its driver.
  std::error_code failed;
  auto program = std::filesystem::read_symlink("/proc/self/exe", failed);
  if (!failed) {
    auto beside = program.parent_path() / kLibraryName;
    if (std::filesystem::exists(beside, failed)) return beside;
  }
  return ORVEL_BUILD_PLUGIN_LIBRARY;
}

}  // namespace host
