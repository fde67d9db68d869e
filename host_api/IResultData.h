#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/IDialog.h"
#include "host_api/ILoadLog.h"
#include "host_api/IMeasurement.h"
#include "host_api/IReport.h"
#include "host_api/IXmlService.h"
#include "platform/Object.h"
#include "platform/Variant.h"

namespace host_api {

// The outcome of a test element as the host keeps it.
class ORVEL_HOST_API IResultData : public platform::Object {
 public:
  ~IResultData() override;

  virtual std::string Comment_get() const = 0;
  virtual void Comment_let(const std::string& comment) = 0;
  virtual bool HasDialog_get() const = 0;
  virtual int32_t Status_get() const = 0;
  // `index`: a position from 1, or a key.
  virtual std::shared_ptr<IMeasurement> Measurement_get(const platform::Variant& index) const = 0;
  virtual int32_t MeasurementCount_get() const = 0;
  virtual std::shared_ptr<platform::Object> ServiceRecord_get() const = 0;
  virtual int32_t MTIID_get() const = 0;
  virtual std::shared_ptr<IDialog> CreateDialog() = 0;
  virtual void Load(const IXmlElement& element, ILoadLog* log) = 0;
  virtual std::shared_ptr<IXmlElement> Save(IXmlElement& owner) const = 0;
  // `setup` is the host's report setup; the result prints into `report` (null: nothing).
  virtual void PrintReport(IReport* report, const platform::Object* setup) const = 0;
};

}  // namespace host_api
