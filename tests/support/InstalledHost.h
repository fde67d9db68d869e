#pragma once

#include <gtest/gtest.h>

#include "host/HostErrorService.h"
#include "host/HostServicesInstaller.h"
#include "platform/components/ComponentRegistry.h"
#include "support/TestFiles.h"

// Test base that installs the host's services over a settings file of its own, in the language
// `language()`, and puts back what was installed before when the test ends.
class InstalledHost : public ::testing::Test {
 protected:
  void SetUp() override {
    m_registry.emplace("ORVEL_REGISTRY", registryFile().string());
    m_language.emplace("ORVEL_LANG", language());
    m_resources.emplace("ORVEL_RESOURCES", "");
    // The installer replaces whatever was installed; put that back when the test ends.
    m_restore.emplace(host_api::hostServicesSlot());
    // The installer registers the host's controls; they go into a copy of the registry that
    // lives as long as the test.
    m_components = platform::components::components();
    m_componentsOverride.emplace(m_components);
    host::installHostServices();
  }
  void TearDown() override {
    m_restore.reset();
    m_componentsOverride.reset();
  }

  virtual std::string language() const { return "en"; }
  std::filesystem::path registryFile() const { return dir / "registry.ini"; }

  // A key of the installed registry, opened (and created) under the local machine.
  std::unique_ptr<host_api::IRegistryKey> key(const std::string& path) {
    auto k = host_api::hostServices().newRegistryKey();
    EXPECT_TRUE(k->Open(host_api::RegistryRoot::LocalMachine, path, true));
    return k;
  }

  // The errors the host has shown so far while operations carried on.
  const std::deque<platform::ComError>& reported() const {
    return dynamic_cast<host::HostErrorService&>(*host_api::hostServices().errors).Reported();
  }

  TempDir dir;

 private:
  std::optional<ScopedEnv> m_registry, m_language, m_resources;
  std::optional<host_api::HostServicesOverride> m_restore;
  platform::components::ComponentRegistry m_components;
  std::optional<platform::components::ComponentsOverride> m_componentsOverride;
};
