#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/MessageCatalog.h"
#include "host/TestTemplate.h"
#include "host_api/IApplicationService.h"
#include "host_api/IRegistryKey.h"

namespace host {

// Translates message texts with the catalogue of one language; English is the text after "::"
// and needs no catalogue.
class HostApplicationService : public host_api::IApplicationService {
 public:
  // Uses resources/lang/<language>.txt below `resourceDir`. A language such as "de_DE.UTF-8"
  // tries "de_DE" and then "de"; a name that is not a plain language code (for example one
  // with a "/") is ignored, so a setting can never point the host at another file.
  HostApplicationService(const std::filesystem::path& resourceDir, const std::string& language);

  std::string Translate(const std::string& pluginId, const std::string& text,
                        const platform::Parameters& params = {}) override;

  // From the open template as it stands, so elements added or removed after opening it count.
  host_api::TestElements TestElements_get() const override;
  std::vector<std::pair<std::string, std::string>> ElementData(
      const platform::Object& element) const override;
  // The template the host opens (null when it closes it). The service answers from it while it
  // is open, and keeps it alive.
  void setOpenTemplate(std::shared_ptr<const TestTemplate> openTemplate);
  // A bare list of elements, for a host that keeps no template document (no host data then).
  void setOpenElements(host_api::TestElements elements);

  const std::string& language() const { return m_language; }

  // The language the host is set to: ORVEL_LANG, else the value "Language" under
  // HKLM\Software\Tavik\orvel\Executive\System, else English. A settings file that cannot be
  // read leaves the host in English: its messages must still be shown.
  static std::string configuredLanguage(host_api::IRegistryKey& key);

 private:
  std::string m_language;  // the language whose catalogue was found ("en" when none)
  MessageCatalog m_catalog;
  std::shared_ptr<const TestTemplate> m_openTemplate;
  host_api::TestElements m_openElements;
};

}  // namespace host
