#pragma once

#include "host_api/HostApiExport.h"

#include <memory>

#include "host_api/IDialog.h"
#include "host_api/ILoadLog.h"
#include "host_api/IReport.h"
#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace host_api {

// Settings data the host keeps for an object (an element's configuration, a module setup).
class ORVEL_HOST_API IConfigData : public platform::Object {
 public:
  ~IConfigData() override;

  virtual bool HasDialog_get() const = 0;
  virtual std::shared_ptr<IConfigData> Clone() const = 0;
  virtual std::shared_ptr<IDialog> CreateDialog() = 0;
  virtual void Load(const IXmlElement& element, ILoadLog* log) = 0;
  // Appends the data's element to `owner` and returns it.
  virtual std::shared_ptr<IXmlElement> Save(IXmlElement& owner) const = 0;
  // `report` may be null: nothing is printed then.
  virtual void PrintReport(IReport* report) const = 0;
};

}  // namespace host_api
