#pragma once

#include "host_api/HostApiExport.h"

#include <string>

#include "platform/MessageText.h"
#include "platform/forms/FormTools.h"

namespace host_api {

// The host application service: translation of the system's message texts.
class ORVEL_HOST_API IApplicationService {
 public:
  virtual ~IApplicationService();

  // Translates a message text ("20351::Pass") for `pluginId` into the current language and fills
  // its placeholders. An unknown id gives the default text after "::".
  virtual std::string Translate(const std::string& pluginId, const std::string& text,
                                const platform::Parameters& params = {}) = 0;

  // Translates every caption of a form (labels, buttons, list columns, tabs, toolbar buttons,
  // tooltips) in place, as a form does when it loads.
  void TranslateCaptions(const std::string& pluginId, platform::forms::Form& form) {
    platform::forms::translateCaptions(form, translatorFor(pluginId));
  }
  // The same for one control, such as a tab strip or a toolbar.
  void TranslateCaptions(const std::string& pluginId, platform::forms::Control& control) {
    platform::forms::translateCaptions(control, translatorFor(pluginId));
  }

 private:
  platform::forms::Translator translatorFor(const std::string& pluginId) {
    return [this, pluginId](const std::string& text) { return Translate(pluginId, text); };
  }
};

}  // namespace host_api
