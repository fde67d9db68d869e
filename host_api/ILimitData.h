#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/IDialog.h"
#include "host_api/ILimitStandard.h"
#include "host_api/ILoadLog.h"
#include "host_api/IMeasurement.h"
#include "host_api/IReport.h"
#include "host_api/IStandards.h"
#include "host_api/ITestRun.h"
#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace host_api {

class ITestElement;

// The limits of one test element: its limit standards with their values.
class ORVEL_HOST_API ILimitData : public platform::Object {
 public:
  ~ILimitData() override;

  virtual std::string Description_get() const = 0;
  virtual void Description_let(const std::string& description) = 0;
  virtual bool HasDialog_get() const = 0;
  virtual std::shared_ptr<IStandards> Standards_get() const = 0;
  virtual std::shared_ptr<ITestElement> Owner_get() const = 0;
  virtual std::shared_ptr<ILimitData> Clone() const = 0;
  virtual std::shared_ptr<IDialog> CreateDialog() = 0;
  virtual std::shared_ptr<ILimitStandard> CreateStandard(int32_t standardId,
                                                         const std::string& className) = 0;
  virtual void Load(const IXmlElement& element, ILoadLog* log) = 0;
  virtual std::shared_ptr<IXmlElement> Save(IXmlElement& owner) const = 0;
  virtual void PrintReport(IReport* report, ITestRun* testRun) const = 0;
  virtual void UpdateLimits(ILoadLog* log) = 0;
  // The standards of `selected` that `measurement` fails; null when none.
  virtual std::shared_ptr<IStandards> FindFailedStandards(const IMeasurement* measurement,
                                                          const IStandards* selected) const = 0;
};

}  // namespace host_api
