#include "platform/components/ComponentLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include "platform/ComError.h"

namespace platform::components {

namespace {
const char* const kSource = "platform.ComponentLibrary";

// Collects what the entry point registers before anything reaches the real registry, so a
// failing library leaves no half of its classes behind.
class Staging : public ClassRegistrar {
 public:
  void registerClass(const std::string& progId, Factory factory) override {
    classes.emplace_back(progId, std::move(factory));
  }
  std::vector<std::pair<std::string, Factory>> classes;
};

std::string lastDlError() {
  const char* text = dlerror();
  return text ? text : "unknown reason";
}
}  // namespace

std::shared_ptr<ComponentLibrary> ComponentLibrary::load(const std::string& path,
                                                         ComponentRegistry& registry) {
  if (access(path.c_str(), F_OK) != 0) {
    throw ComError(RuntimeError::FileNotFound, kSource,
                   "The component library " + path + " does not exist");
  }
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    throw ComError(errLibraryNotLoaded, kSource,
                   "The component library " + path + " cannot be loaded: " + lastDlError());
  }
  std::shared_ptr<ComponentLibrary> library(new ComponentLibrary(path, handle));
  dlerror();
  auto entry = reinterpret_cast<RegisterClassesFunction>(dlsym(handle, kRegisterClassesSymbol));
  if (!entry) {
    throw ComError(errEntryPointMissing, kSource,
                   "The component library " + path + " does not export its entry point " +
                       kRegisterClassesSymbol);
  }
  Staging staging;
  entry(staging);
  for (auto& [progId, factory] : staging.classes) {
    registry.registerClass(
        progId, [library, factory = std::move(factory)]() -> std::shared_ptr<Object> {
          std::shared_ptr<Object> object = factory();
          if (!object) return nullptr;
          // The object is destroyed before the library reference is dropped (members go in
          // reverse order), and the returned pointer shares the holder's lifetime.
          struct Holder {
            std::shared_ptr<ComponentLibrary> library;
            std::shared_ptr<Object> object;
          };
          auto holder = std::make_shared<Holder>(Holder{library, std::move(object)});
          return std::shared_ptr<Object>(holder, holder->object.get());
        });
    library->m_progIds.push_back(progId);
  }
  return library;
}

ComponentLibrary::~ComponentLibrary() { dlclose(m_handle); }

}  // namespace platform::components
