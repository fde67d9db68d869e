#pragma once

#include "host_api/HostApiExport.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/MessageText.h"
#include "platform/Object.h"
#include "platform/forms/FormTools.h"

namespace host_api {

// The test elements of the template open in the host, in template order. They travel as plain
// objects: a caller asks an element for the interface it needs (std::dynamic_pointer_cast), so
// the host can hold the elements before any element interface is declared here.
using TestElements = std::vector<std::shared_ptr<platform::Object>>;

// The host application service: translation of the system's message texts, and the open template.
class ORVEL_HOST_API IApplicationService {
 public:
  virtual ~IApplicationService();

  // Translates a message text ("20351::Pass") for `pluginId` into the current language and fills
  // its placeholders. An unknown id gives the default text after "::".
  virtual std::string Translate(const std::string& pluginId, const std::string& text,
                                const platform::Parameters& params = {}) = 0;

  // Translates every caption of a form (labels, buttons, list columns, tabs, toolbar buttons,
  // tooltips) in place, as a form does when it loads.
  // Defined in the library, so that no caller's library carries a copy of the translator.
  void TranslateCaptions(const std::string& pluginId, platform::forms::Form& form);
  // The same for one control, such as a tab strip or a toolbar.
  void TranslateCaptions(const std::string& pluginId, platform::forms::Control& control);

  // The elements of the open template; empty when no template is open.
  virtual TestElements TestElements_get() const = 0;

  // The host's data of an element of the open template: (name, text) entries in order, the
  // first entry not named "Orvel" carrying the text of the test standard. Empty for an element
  // the open template does not hold, and in a host that keeps no such data.
  virtual std::vector<std::pair<std::string, std::string>> ElementData(
      const platform::Object& element) const;

 private:
  platform::forms::Translator translatorFor(const std::string& pluginId);
};

}  // namespace host_api
