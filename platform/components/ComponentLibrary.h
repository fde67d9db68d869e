#pragma once

#include "platform/PlatformExport.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/components/ComponentRegistry.h"

namespace platform::components {

// Error numbers of loading a component library.
constexpr int32_t errLibraryNotLoaded = 48;    // the file is there but cannot be loaded
constexpr int32_t errEntryPointMissing = 453;  // the library exports no entry point

// A component library loaded by path. Its classes are registered with factories that keep the
// library loaded, and every object they make keeps it loaded too, so the code of an object
// can never be unmapped under it: the library is closed when the last of them is gone.
class ORVEL_PLATFORM_API ComponentLibrary {
 public:
  // Loads the library and registers its classes. A missing file throws ComError 53, a file
  // that cannot be loaded 48, a library without the entry point 453; nothing is registered
  // then.
  static std::shared_ptr<ComponentLibrary> load(const std::string& path,
                                                ComponentRegistry& registry = components());
  ~ComponentLibrary();
  ComponentLibrary(const ComponentLibrary&) = delete;
  ComponentLibrary& operator=(const ComponentLibrary&) = delete;

  const std::string& path() const { return m_path; }
  // The ProgIDs the library registered.
  const std::vector<std::string>& progIds() const { return m_progIds; }

 private:
  ComponentLibrary(std::string path, void* handle) : m_path(std::move(path)), m_handle(handle) {}

  std::string m_path;
  void* m_handle;
  std::vector<std::string> m_progIds;
};

}  // namespace platform::components
