#pragma once

#include "platform/PlatformExport.h"
#include "platform/ScopedOverride.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/components/ClassRegistrar.h"

namespace platform::components {

// ProgIDs and the factories that make their objects. ProgIDs compare without regard to case,
// as they do wherever a ProgID is written by hand (catalogue files, settings).
class ORVEL_PLATFORM_API ComponentRegistry : public ClassRegistrar {
 public:
  // A ProgID registered again takes the new factory (a library loaded again, a test double).
  void registerClass(const std::string& progId, Factory factory) override;
  void unregisterClass(const std::string& progId);
  bool isRegistered(const std::string& progId) const;
  std::vector<std::string> progIds() const;

  // A new object of the class; an unknown ProgID or a factory that makes nothing throws
  // ComError 429.
  std::shared_ptr<Object> create(const std::string& progId) const;

 private:
  struct Entry {
    std::string progId;  // as registered
    Factory factory;
  };
  static std::string keyOf(const std::string& progId);

  std::map<std::string, Entry> m_classes;
};

// The process-wide registry: the one installed by a ComponentsOverride, else the process's own.
ORVEL_PLATFORM_API ComponentRegistry& components();

// Installs another registry (a test's own) for its lifetime, so that the libraries loaded and the
// classes registered meanwhile leave the process's registry as it was.
class ORVEL_PLATFORM_API ComponentsOverride : public ScopedOverride<ComponentRegistry*> {
 public:
  explicit ComponentsOverride(ComponentRegistry& replacement);
};

}  // namespace platform::components
