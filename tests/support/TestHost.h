#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host_api/HostServices.h"

namespace testing_host {

// Translation as the host does it for English: the text after "::" with its placeholders filled.
// Records every call so tests can see what was translated.
class FakeApplicationService : public host_api::IApplicationService {
 public:
  struct Call {
    std::string pluginId;
    std::string text;
    platform::Parameters params;
  };

  std::string Translate(const std::string& pluginId, const std::string& text,
                        const platform::Parameters& params) override;
  host_api::TestElements TestElements_get() const override { return elements; }

  std::vector<Call> calls;
  host_api::TestElements elements;
};

// Registry values kept in memory; every key made by one FakeRegistry sees the same values.
class FakeRegistry {
 public:
  using Values = std::map<std::string, std::map<std::string, std::string>>;  // path -> values

  std::unique_ptr<host_api::IRegistryKey> newKey();
  void set(const std::string& path, const std::string& name, const std::string& value);

 private:
  std::shared_ptr<Values> m_values = std::make_shared<Values>();
};

// Installs the fakes as the process's host services for its own lifetime, with the host's real
// classes (limits, standards, item collections, element cores, ...).
class TestHost {
 public:
  TestHost();
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  FakeApplicationService& application() { return *m_application; }
  FakeRegistry& registry() { return m_registry; }
  // The installed services, for a test that replaces one of them (the error service).
  host_api::HostServices& services() { return *m_services; }

 private:
  std::shared_ptr<FakeApplicationService> m_application;
  FakeRegistry m_registry;
  std::shared_ptr<host_api::HostServices> m_services;
  std::optional<host_api::HostServicesOverride> m_override;
};

}  // namespace testing_host
