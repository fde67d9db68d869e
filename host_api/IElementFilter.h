#pragma once

#include "host_api/HostApiExport.h"

#include <memory>

#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace host_api {

// The host's filter of a test element: whether the element takes part in a run, and whether
// its outcome counts towards the outcome of the group that holds it.
class ORVEL_HOST_API IElementFilter : public platform::Object {
 public:
  ~IElementFilter() override;

  virtual bool Enabled_get() const = 0;
  virtual void Enabled_let(bool enabled) = 0;
  virtual bool Counts_get() const = 0;
  virtual void Counts_let(bool counts) = 0;

  virtual std::shared_ptr<IElementFilter> Clone() const = 0;
  // Reads the child "Filter" of `element` when there is one; appends such a child to `owner`.
  virtual void Load(const IXmlElement& element) = 0;
  virtual std::shared_ptr<IXmlElement> Save(IXmlElement& owner) const = 0;
};

}  // namespace host_api
