#pragma once

#include <string>

#include "platform/MessageText.h"

namespace host_api {

// The host application service: translation of the system's message texts.
class IApplicationService {
 public:
  virtual ~IApplicationService() = default;

  // Translates a message text ("20351::Pass") for `pluginId` into the current language and fills
  // its placeholders. An unknown id gives the default text after "::".
  virtual std::string Translate(const std::string& pluginId, const std::string& text,
                                const platform::Parameters& params = {}) = 0;
};

}  // namespace host_api
