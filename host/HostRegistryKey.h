#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "host/SettingsFile.h"
#include "host_api/IRegistryKey.h"

namespace host {

// The host registry object over the settings file (see SettingsFile for its format). Every call
// reads the file afresh, so edits by a person or by another key object are seen at once, and
// every write replaces the file atomically. A malformed file throws platform::ComError (321) and
// is never written over.
class HostRegistryKey : public host_api::IRegistryKey {
 public:
  explicit HostRegistryKey(std::filesystem::path file);

  bool Open(uint32_t root, const std::string& path, bool create = false) override;
  bool IsOpen() const override { return m_key.has_value(); }
  void Close() override { m_key.reset(); }

  std::optional<std::string> ReadText(const std::string& name) const override;
  std::optional<int32_t> ReadLong(const std::string& name) const override;
  std::optional<int16_t> ReadInteger(const std::string& name) const override;

  void WriteText(const std::string& name, const std::string& value) override;
  void WriteLong(const std::string& name, int32_t value) override;
  void WriteInteger(const std::string& name, int16_t value) override;

  const std::filesystem::path& file() const { return m_file; }

 private:
  SettingsFile load() const;
  // The value as a whole number within [low, high]; text that is not one gives nothing.
  std::optional<int64_t> readNumber(const std::string& name, int64_t low, int64_t high) const;

  std::filesystem::path m_file;
  std::optional<std::string> m_key;  // section name ("HKLM\Software\...") while open
};

}  // namespace host
