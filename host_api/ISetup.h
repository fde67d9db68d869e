#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/IDialog.h"
#include "platform/Object.h"

namespace host_api {

// A plug-in's installation-wide settings as the host's settings dialog sees them.
class ORVEL_HOST_API ISetup : public platform::Object {
 public:
  ~ISetup() override;

  virtual bool HasDialog_get() const = 0;
  virtual std::shared_ptr<platform::Object> Settings_get() const = 0;
  virtual void Settings_set(const std::shared_ptr<platform::Object>& settings) = 0;
  virtual std::shared_ptr<IDialog> CreateDialog() = 0;
  // `root` 0 reads the plug-in's own key; otherwise `key` below `root`.
  virtual void RegLoad(uint32_t root, const std::string& key) = 0;
  virtual void RegSave(uint32_t root, const std::string& key) = 0;
};

}  // namespace host_api
