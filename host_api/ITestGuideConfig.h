#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>

#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace host_api {

// The host's own settings of its test guide for one element (how the guide shows itself while
// the element runs), kept beside the element's configuration.
class ORVEL_HOST_API ITestGuideConfig : public platform::Object {
 public:
  ~ITestGuideConfig() override;

  // The host's "Test guide settings" value for this element; 0 uses the system setting.
  virtual int32_t Settings_get() const = 0;
  virtual void Settings_let(int32_t settings) = 0;
  virtual std::shared_ptr<ITestGuideConfig> Clone() const = 0;
  // Reads an element "TestGuideSettings"; appends one to `owner`.
  virtual void Load(const IXmlElement& element) = 0;
  virtual std::shared_ptr<IXmlElement> Save(IXmlElement& owner) const = 0;
};

}  // namespace host_api
