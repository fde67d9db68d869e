#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/IConfigData.h"
#include "host_api/IElementFilter.h"
#include "host_api/ILimitData.h"
#include "host_api/ILoadLog.h"
#include "host_api/IReport.h"
#include "host_api/IResultData.h"
#include "host_api/ITestElement.h"
#include "host_api/ITestInformation.h"
#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace host_api {

// Errors of the host's element cores and containers.
namespace ElementError {
constexpr int32_t NotAnElement = static_cast<int32_t>(0x8004A2C0);      // wrong element name
constexpr int32_t MissingAttribute = static_cast<int32_t>(0x8004A2C1);  // "TestID" absent
constexpr int32_t OtherPlugIn = static_cast<int32_t>(0x8004A2C2);       // stored by another plug-in
constexpr int32_t ChildRefused = static_cast<int32_t>(0x8004A2C3);      // QuerySetParent said no
constexpr int32_t NoSuchChild = static_cast<int32_t>(0x8004A2F1);
constexpr int32_t NoSuchRelative = static_cast<int32_t>(0x8004A2F2);
}  // namespace ElementError

// The state every test element has in common, kept by the host so that a plug-in's element need
// not store it itself: identity, parent, information, filter, configuration, limits and result.
// The element stays the owner of the objects it hands over; the core keeps them and writes them.
class ORVEL_HOST_API IElementCore : public platform::Object {
 public:
  ~IElementCore() override;

  virtual void Initialize(const std::string& plugInId, int32_t testId, int32_t id) = 0;
  virtual std::string PlugInID_get() const = 0;
  virtual int32_t TestID_get() const = 0;
  virtual int32_t ID_get() const = 0;
  virtual void ID_let(int32_t id) = 0;
  // Held weakly: a child never keeps its parent alive.
  virtual std::shared_ptr<ITestElement> Parent_get() const = 0;
  virtual void Parent_set(const std::shared_ptr<ITestElement>& parent) = 0;
  virtual std::shared_ptr<ITestInformation> Info_get() const = 0;
  virtual std::shared_ptr<IElementFilter> Filter_get() const = 0;
  virtual std::shared_ptr<IConfigData> Configuration_get() const = 0;
  virtual void Configuration_set(const std::shared_ptr<IConfigData>& configuration) = 0;
  virtual std::shared_ptr<ILimitData> Limits_get() const = 0;
  virtual void Limits_set(const std::shared_ptr<ILimitData>& limits) = 0;
  virtual std::shared_ptr<IResultData> Result_get() const = 0;
  virtual void Result_set(const std::shared_ptr<IResultData>& result) = 0;

  // Takes plug-in id, test id, ID, a clone of the information and the filter, and a clone of
  // the configuration; parent, limits and result stay as they are (the element decides).
  virtual void CopyFrom(const IElementCore& other) = 0;
  // "TestElement": identity, information, filter, then the configuration, limits and result
  // loaded by the objects held. "ResultItem": the result alone.
  virtual void Load(const IXmlElement& element, ILoadLog* log) = 0;
  virtual std::shared_ptr<IXmlElement> Save(IXmlElement& owner) const = 0;
  // Information and configuration rows of the element for a report.
  virtual void PrintReport(IReport* report) const = 0;
  // Lets go of everything held.
  virtual void Terminate() = 0;
};

// The core of an element that holds other elements (a group): the common state plus the
// children, whose elements it creates by ProgID when it loads them.
class ORVEL_HOST_API IContainerCore : public IElementCore {
 public:
  ~IContainerCore() override;

  virtual int32_t Count() const = 0;
  virtual std::shared_ptr<ITestElement> Item(int32_t index) const = 0;
  virtual void Add(const std::shared_ptr<ITestElement>& child,
                   const std::shared_ptr<ITestElement>& relative, int32_t relation) = 0;
  virtual std::shared_ptr<ITestElement> FindElement(int32_t testId) const = 0;
  virtual void Remove(const std::shared_ptr<ITestElement>& child) = 0;
  virtual std::vector<std::shared_ptr<ITestElement>> Children() const = 0;
  // The element whose children these are (held weakly). Add asks a child whether it accepts it
  // as parent (QuerySetParent) and refuses the element itself and its ancestors; loaded
  // children get it as their parent. Without an owner neither happens.
  virtual void Owner_set(const std::shared_ptr<ITestElement>& owner) = 0;
};

}  // namespace host_api
