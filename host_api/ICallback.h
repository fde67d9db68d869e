#pragma once

#include "host_api/HostApiExport.h"

#include <string>

#include "platform/MessageText.h"
#include "platform/Object.h"

namespace host_api {

// The host's callback object, given to a dialog or control: it tells the host what happened in
// it ("Change" when the operator changed a setting).
class ORVEL_HOST_API ICallback : public platform::Object {
 public:
  ~ICallback() override;
  virtual void Notify(const std::string& eventName, const platform::Parameters& args) = 0;
};

}  // namespace host_api
