#include "plugin/core/MLibraryLocation.h"

#include <dlfcn.h>

#include <filesystem>

namespace plugin::MLibraryLocation {

std::string Folder() {
  Dl_info info{};
  // Any function of this library names the file it was loaded from.
  if (::dladdr(reinterpret_cast<void*>(&Folder), &info) == 0 || !info.dli_fname) return {};
  std::error_code ec;
  std::filesystem::path file = std::filesystem::canonical(info.dli_fname, ec);
  if (ec) file = info.dli_fname;
  return file.parent_path().string();
}

}  // namespace plugin::MLibraryLocation
