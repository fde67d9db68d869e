#include "support/TestHost.h"

#include <charconv>

#include "host/HostClassesInstaller.h"
#include "host/HostInstrumentData.h"
#include "host/HostInstrumentRegistry.h"
#include "platform/MessageText.h"

namespace testing_host {

std::string FakeApplicationService::Translate(const std::string& pluginId, const std::string& text,
                                              const platform::Parameters& params) {
  calls.push_back({pluginId, text, params});
  return platform::fillPlaceholders(platform::MessageText::parse(text).text, params);
}

namespace {

class FakeRegistryKey : public host_api::IRegistryKey {
 public:
  explicit FakeRegistryKey(std::shared_ptr<FakeRegistry::Values> values)
      : m_values(std::move(values)) {}

  bool Open(uint32_t, const std::string& path, bool create) override {
    if (!create && m_values->count(path) == 0) return false;
    (*m_values)[path];
    m_path = path;
    return true;
  }
  bool IsOpen() const override { return !m_path.empty(); }
  void Close() override { m_path.clear(); }

  std::optional<std::string> ReadText(const std::string& name) const override {
    if (!IsOpen()) return std::nullopt;
    const auto& values = m_values->at(m_path);
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  std::optional<int32_t> ReadLong(const std::string& name) const override {
    auto text = ReadText(name);
    int32_t value = 0;
    if (!text ||
        std::from_chars(text->data(), text->data() + text->size(), value).ec != std::errc())
      return std::nullopt;
    return value;
  }
  std::optional<int16_t> ReadInteger(const std::string& name) const override {
    auto value = ReadLong(name);
    if (!value || *value < INT16_MIN || *value > INT16_MAX) return std::nullopt;
    return static_cast<int16_t>(*value);
  }
  void WriteText(const std::string& name, const std::string& value) override {
    if (!IsOpen()) throw platform::ComError(5, "FakeRegistryKey", "key not open");
    (*m_values)[m_path][name] = value;
  }
  void WriteLong(const std::string& name, int32_t value) override {
    WriteText(name, std::to_string(value));
  }
  void WriteInteger(const std::string& name, int16_t value) override {
    WriteText(name, std::to_string(value));
  }

 private:
  std::shared_ptr<FakeRegistry::Values> m_values;
  std::string m_path;
};

}  // namespace

std::unique_ptr<host_api::IRegistryKey> FakeRegistry::newKey() {
  return std::make_unique<FakeRegistryKey>(m_values);
}

void FakeRegistry::set(const std::string& path, const std::string& name, const std::string& value) {
  (*m_values)[path][name] = value;
}

TestHost::TestHost()
    : m_application(std::make_shared<FakeApplicationService>()),
      m_services(std::make_shared<host_api::HostServices>()) {
  m_services->application = m_application;
  m_services->newRegistryKey = [this] { return m_registry.newKey(); };
  m_services->newInstrumentRegistry = [this] {
    return std::make_shared<host::HostInstrumentRegistry>([this] { return m_registry.newKey(); });
  };
  m_services->newInstrumentData = [] { return std::make_shared<host::HostInstrumentData>(); };
  host::installHostClasses(*m_services);
  m_override.emplace(m_services);
}

TestHost::~TestHost() = default;

}  // namespace testing_host
