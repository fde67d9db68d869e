#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/ILimitStandard.h"
#include "host_api/ILoadLog.h"
#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace host_api {

// The host's collection of limit standards, unique by (standard id, class name), in order. The
// class name is the device's protection class ("I", "II").
class ORVEL_HOST_API IStandards : public platform::Object {
 public:
  ~IStandards() override;

  virtual int32_t Count() const = 0;
  virtual std::shared_ptr<ILimitStandard> Item(int32_t position) const = 0;  // 1-based
  // `kind` 0 finds by standard id and class name (the only kind there is); null when absent.
  virtual std::shared_ptr<ILimitStandard> Find(int32_t kind, int32_t standardId,
                                               const std::string& className) const = 0;
  // Appends; a standard with the same id and class replaces the one held.
  virtual void Add(const std::shared_ptr<ILimitStandard>& standard) = 0;
  virtual void Remove(int32_t standardId, const std::string& className) = 0;
  virtual void Clear() = 0;
  // An independent copy of every standard.
  virtual std::shared_ptr<IStandards> Copy() const = 0;

  // Replaces the content by the standards stored under `element` (any element name). What cannot
  // be read is written to `log` (which may be null) and skipped, or throws platform::ComError
  // naming the element when nothing sensible remains.
  virtual void Load(const IXmlElement& element, ILoadLog* log) = 0;
  // Appends an element holding every standard to `owner` and returns it.
  virtual std::shared_ptr<IXmlElement> Save(IXmlElement& owner) const = 0;
};

}  // namespace host_api
