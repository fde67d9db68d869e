#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "host_api/ILoadLog.h"
#include "host_api/IPlugIn.h"
#include "platform/components/ComponentLibrary.h"
#include "platform/components/ComponentRegistry.h"

namespace host {

// A plug-in as the host loads it: its library loaded by path (which registers the library's
// classes), its entry object created by ProgID and initialised. The library stays loaded as
// long as this object or any object the plug-in made is alive.
class HostPlugIn {
 public:
  // The analyzer's plug-in: its library's file name and the ProgID of its entry object.
  static constexpr const char* kLibraryName = "liborvelTRX440.so";
  static constexpr const char* kEntryProgId = "orvelTRX440.CPlugInTRX440";

  // Loads `library` into `registry`, creates `entryProgId` and calls its Initialize with `log`
  // (which may be null). Errors are platform::ComError naming the library: 53 no such file,
  // 48 a file that cannot be loaded, 453 a library that is no component library, 429 a library
  // without the entry class, 13 an entry object that is no plug-in; an error of Initialize is
  // passed on with its number.
  static HostPlugIn load(
      const std::filesystem::path& library = defaultLibrary(),
      const std::shared_ptr<host_api::ILoadLog>& log = nullptr,
      const std::string& entryProgId = kEntryProgId,
      platform::components::ComponentRegistry& registry = platform::components::components());

  // Where the host looks for the analyzer's plug-in: ORVEL_PLUGIN when set, else the library
  // beside the running program, else the one of the build tree this host was built in.
  static std::filesystem::path defaultLibrary();

  const std::shared_ptr<host_api::IPlugIn>& plugIn() const { return m_plugIn; }
  host_api::IPlugIn* operator->() const { return m_plugIn.get(); }
  const std::shared_ptr<platform::components::ComponentLibrary>& library() const {
    return m_library;
  }

 private:
  HostPlugIn(std::shared_ptr<platform::components::ComponentLibrary> library,
             std::shared_ptr<host_api::IPlugIn> plugIn)
      : m_library(std::move(library)), m_plugIn(std::move(plugIn)) {}

  // Declared first: the plug-in object goes before its library is let go.
  std::shared_ptr<platform::components::ComponentLibrary> m_library;
  std::shared_ptr<host_api::IPlugIn> m_plugIn;
};

}  // namespace host
