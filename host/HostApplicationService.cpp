#include "host/HostApplicationService.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

#include "platform/ComError.h"
#include "platform/MessageText.h"

namespace host {

namespace {
bool plainLanguageCode(const std::string& code) {
  return !code.empty() && code.size() <= 32 && std::all_of(code.begin(), code.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
  });
}

// "de_DE.UTF-8@euro" -> {"de_DE", "de"}
std::vector<std::string> candidates(std::string language) {
  language = language.substr(0, language.find_first_of(".@"));
  std::vector<std::string> out;
  if (!plainLanguageCode(language)) return out;
  out.push_back(language);
  size_t sep = language.find_first_of("_-");
  if (sep != std::string::npos && sep > 0) out.push_back(language.substr(0, sep));
  return out;
}
}  // namespace

HostApplicationService::HostApplicationService(const std::filesystem::path& resourceDir,
                                               const std::string& language)
    : m_language("en") {
  for (const auto& code : candidates(language)) {
    std::filesystem::path file = resourceDir / "lang" / (code + ".txt");
    MessageCatalog catalog = MessageCatalog::load(file);
    if (catalog.size() > 0) {
      m_language = code;
      m_catalog = std::move(catalog);
      break;
    }
  }
}

std::string HostApplicationService::Translate(const std::string& pluginId, const std::string& text,
                                              const platform::Parameters& params) {
  platform::MessageText message = platform::MessageText::parse(text);
  std::string shown = message.text;
  if (message.id) {
    if (auto translated = m_catalog.find(pluginId, *message.id)) shown = *translated;
  }
  return platform::fillPlaceholders(shown, params);
}

std::string HostApplicationService::configuredLanguage(host_api::IRegistryKey& key) {
  const char* fromEnvironment = std::getenv("ORVEL_LANG");
  if (fromEnvironment && *fromEnvironment) return fromEnvironment;
  try {
    if (key.Open(host_api::RegistryRoot::LocalMachine,
                 "Software\\Tavik\\orvel\\Executive\\System")) {
      if (auto language = key.ReadText("Language")) return *language;
    }
  } catch (const platform::ComError&) {
  }
  return "en";
}

}  // namespace host

namespace host {

host_api::TestElements HostApplicationService::TestElements_get() const {
  return m_openTemplate ? m_openTemplate->elementObjects() : m_openElements;
}

std::vector<std::pair<std::string, std::string>> HostApplicationService::ElementData(
    const platform::Object& element) const {
  return m_openTemplate ? m_openTemplate->elementData(element) : HostData{};
}

void HostApplicationService::setOpenTemplate(std::shared_ptr<const TestTemplate> openTemplate) {
  m_openTemplate = std::move(openTemplate);
  m_openElements.clear();
}

void HostApplicationService::setOpenElements(host_api::TestElements elements) {
  m_openTemplate.reset();
  m_openElements = std::move(elements);
}

}  // namespace host
