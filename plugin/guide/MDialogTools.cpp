#include "plugin/guide/MDialogTools.h"

#include "host_api/HostServices.h"
#include "platform/forms/FormTools.h"
#include "platform/forms/Label.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MSharedTools.h"

namespace plugin::MDialogTools {

std::string Translate(const std::string& messageText, const platform::Parameters& params) {
  const auto& services = host_api::hostServicesSlot();
  if (services && services->application) {
    return services->application->Translate(PlugInId, messageText, params);
  }
  return platform::fillPlaceholders(platform::MessageText::parse(messageText).text, params);
}

void TranslateCaptions(platform::forms::Form& form) {
  platform::forms::translateCaptions(form,
                                     [](const std::string& caption) { return Translate(caption); });
}

void SetLabel(platform::forms::Form& form, const char* name, const std::string& messageText,
              const platform::Parameters& params) {
  form.get<platform::forms::Label>(name).Caption_let(Translate(messageText, params));
}

void ShowOverGuide(platform::forms::Form& form, platform::forms::Form* owner) {
  if (MSharedTools::TestGuideOnTop()) platform::forms::placeTopmost(form);
  form.show(platform::forms::FormShow::Modal, owner);
}

}  // namespace plugin::MDialogTools
