#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "host_api/IConfigData.h"
#include "host_api/ISetup.h"
#include "host_api/ITestContainer.h"
#include "host_api/ITestElement.h"
#include "host_api/Picture.h"
#include "platform/Object.h"

namespace host_api {

// Sizes of a plug-in's icons.
namespace IconSize {
constexpr int32_t Small = 0;  // 16 by 16
constexpr int32_t Wide = 1;   // 32 by 16
constexpr int32_t Large = 2;  // 32 by 32
}  // namespace IconSize

// A plug-in as the host loads it: its identity, icons, settings, and its catalogue of test
// elements, from which the host clones the elements of its templates.
class ORVEL_HOST_API IPlugIn : public platform::Object {
 public:
  ~IPlugIn() override;

  virtual std::string ID_get() const = 0;
  // The picture for a test element (`testId`, 0 for the plug-in itself) at an icon size; nothing
  // for a size the plug-in does not draw.
  virtual std::optional<Picture> Icon(int32_t testId, int32_t size, int32_t colour) const = 0;
  virtual std::string Name_get() const = 0;
  virtual int32_t Flags_get() const = 0;
  virtual std::shared_ptr<ISetup> Setup_get() const = 0;
  virtual std::shared_ptr<platform::Object> ControlPanel_get() const = 0;
  virtual std::shared_ptr<ITestContainer> Tests_get() const = 0;
  virtual std::string Version_get() const = 0;
  virtual std::shared_ptr<platform::Object> PlugInMenu_get() const = 0;
  // Reads the settings and the catalogue; `log` is only held during the call.
  virtual void Initialize(const std::shared_ptr<platform::Object>& log) = 0;
  // A clone of the catalogue element `testId` for a template; null when there is none.
  virtual std::shared_ptr<ITestElement> CreateTest(int32_t testId) = 0;
  // The device's own data for the open template; null when the template needs none.
  virtual std::shared_ptr<IConfigData> CreateDUTData() = 0;
};

}  // namespace host_api
