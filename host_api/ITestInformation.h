#pragma once

#include "host_api/HostApiExport.h"

#include <memory>
#include <string>

#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace host_api {

// What the host shows of a test element: its type (with its parameter), name and description.
class ORVEL_HOST_API ITestInformation : public platform::Object {
 public:
  ~ITestInformation() override;

  virtual std::string Type_get() const = 0;
  virtual std::string Parameter_get() const = 0;
  virtual void SetType(const std::string& type, const std::string& parameter) = 0;
  virtual std::string Name_get() const = 0;
  virtual void Name_let(const std::string& name) = 0;
  virtual std::string Description_get() const = 0;
  virtual void Description_let(const std::string& description) = 0;

  virtual std::shared_ptr<ITestInformation> Clone() const = 0;
  // Reads the child "Info" of `element` when there is one (otherwise keeps what it holds), and
  // appends such a child to `owner`.
  virtual void Load(const IXmlElement& element) = 0;
  virtual std::shared_ptr<IXmlElement> Save(IXmlElement& owner) const = 0;
};

}  // namespace host_api
