#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host_api/IConfigData.h"
#include "host_api/IElementFilter.h"
#include "host_api/ILimitData.h"
#include "host_api/ILoadLog.h"
#include "host_api/IReport.h"
#include "host_api/IResultData.h"
#include "host_api/ITestInformation.h"
#include "host_api/ITestRun.h"
#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace host_api {

// A test element of a template, as the host sees every plug-in's elements.
class ORVEL_HOST_API ITestElement : public platform::Object {
 public:
  ~ITestElement() override;

  virtual std::string PlugInID_get() const = 0;
  virtual int32_t TestID_get() const = 0;
  virtual int32_t ID_get() const = 0;
  virtual void ID_let(int32_t id) = 0;
  virtual std::shared_ptr<ITestElement> Parent_get() const = 0;
  virtual void Parent_set(const std::shared_ptr<ITestElement>& parent) = 0;
  virtual std::shared_ptr<ITestInformation> Info_get() const = 0;
  virtual std::shared_ptr<IElementFilter> Filter_get() const = 0;
  virtual std::shared_ptr<IResultData> Result_get() const = 0;
  virtual std::shared_ptr<ILimitData> Limits_get() = 0;
  virtual std::shared_ptr<IConfigData> Configuration_get() const = 0;
  virtual void Initialize() = 0;
  virtual std::shared_ptr<ITestElement> Clone() const = 0;
  virtual void Perform(ITestRun& testRun) = 0;
  virtual void Load(const IXmlElement& element, ILoadLog* log) = 0;
  virtual std::shared_ptr<IXmlElement> Save(IXmlElement& owner) const = 0;
  virtual void PrintReport(IReport* report, ITestRun* testRun) const = 0;
  virtual bool QuerySetParent(const ITestElement& parent) const = 0;
  virtual void Terminate() = 0;
  virtual void UpdateReferences() = 0;
  // Key and name of each reading the element produces (pairs), empty when it offers none.
  virtual std::vector<std::string> GetMeasurementList() const = 0;
};

}  // namespace host_api
