#include "host/HostRegistryKey.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "host/AtomicFile.h"
#include "platform/ComError.h"

namespace host {

namespace {
std::optional<std::string> rootName(uint32_t root) {
  switch (root) {
    case host_api::RegistryRoot::ClassesRoot:
      return "HKCR";
    case host_api::RegistryRoot::CurrentUser:
      return "HKCU";
    case host_api::RegistryRoot::LocalMachine:
      return "HKLM";
    case host_api::RegistryRoot::Users:
      return "HKU";
    default:
      return std::nullopt;
  }
}

// Hexadecimal after "0x", or a decimal number with an optional sign, fraction and exponent
// ("1.0" is 1: a number stored by a tool that writes every number with a point is still the
// number), read with "." whatever the process locale; blanks around are allowed. A fraction
// rounds to the nearest whole number, halves to even, as every stored number read as an integer.
std::optional<double> parseWholeNumber(const std::string& text) {
  size_t b = text.find_first_not_of(" \t");
  size_t e = text.find_last_not_of(" \t");
  if (b == std::string::npos) return std::nullopt;
  std::string_view t(text.data() + b, e - b + 1);
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    int64_t value = 0;
    auto [ptr, ec] = std::from_chars(t.data() + 2, t.data() + t.size(), value, 16);
    if (ec != std::errc() || ptr != t.data() + t.size()) return std::nullopt;
    return static_cast<double>(value);
  }
  if (t[0] == '+') t.remove_prefix(1);
  double value = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (ec != std::errc() || ptr != t.data() + t.size() || !std::isfinite(value)) return std::nullopt;
  return std::nearbyint(value);
}
}  // namespace

HostRegistryKey::HostRegistryKey(std::filesystem::path file) : m_file(std::move(file)) {}

SettingsFile HostRegistryKey::load() const {
  auto text = AtomicFile::read(m_file);
  return SettingsFile::parse(text.value_or(""), m_file.string());
}

bool HostRegistryKey::Open(uint32_t root, const std::string& path, bool create) {
  m_key.reset();
  auto rootText = rootName(root);
  if (!rootText) return false;
  std::string key = SettingsFile::normalisedKey(*rootText + "\\" + path);
  SettingsFile settings = load();
  if (!settings.hasKey(key)) {
    if (!create) return false;
    settings.addKey(key);
    AtomicFile::write(m_file, settings.text());
  }
  m_key = key;
  return true;
}

std::optional<std::string> HostRegistryKey::ReadText(const std::string& name) const {
  if (!m_key) return std::nullopt;
  return load().value(*m_key, name);
}

std::optional<int64_t> HostRegistryKey::readNumber(const std::string& name, int64_t low,
                                                   int64_t high) const {
  auto text = ReadText(name);
  if (!text) return std::nullopt;
  auto number = parseWholeNumber(*text);
  if (!number || *number < static_cast<double>(low) || *number > static_cast<double>(high))
    return std::nullopt;
  return static_cast<int64_t>(*number);
}

std::optional<int32_t> HostRegistryKey::ReadLong(const std::string& name) const {
  auto n = readNumber(name, INT32_MIN, INT32_MAX);
  return n ? std::optional<int32_t>(static_cast<int32_t>(*n)) : std::nullopt;
}

std::optional<int16_t> HostRegistryKey::ReadInteger(const std::string& name) const {
  auto n = readNumber(name, INT16_MIN, INT16_MAX);
  return n ? std::optional<int16_t>(static_cast<int16_t>(*n)) : std::nullopt;
}

void HostRegistryKey::WriteText(const std::string& name, const std::string& value) {
  if (!m_key) {
    throw platform::ComError(platform::RuntimeError::InvalidProcedureCall, "host",
                             "Cannot write \"" + name + "\": the registry key is not open");
  }
  SettingsFile settings = load();
  settings.setValue(*m_key, name, value);
  AtomicFile::write(m_file, settings.text());
}

void HostRegistryKey::WriteLong(const std::string& name, int32_t value) {
  WriteText(name, std::to_string(value));
}

void HostRegistryKey::WriteInteger(const std::string& name, int16_t value) {
  WriteText(name, std::to_string(value));
}

}  // namespace host
