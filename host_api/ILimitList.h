#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>

#include "host_api/ILimit.h"
#include "platform/Object.h"

namespace host_api {

// The ordered limits of one limit standard.
class ORVEL_HOST_API ILimitList : public platform::Object {
 public:
  ~ILimitList() override;
  virtual int32_t Count() const = 0;
  virtual std::shared_ptr<ILimit> Item(int32_t position) const = 0;  // 1-based; null outside
  virtual void Add(const std::shared_ptr<ILimit>& limit) = 0;
  virtual void Remove(int32_t position) = 0;  // 1-based; outside the list nothing happens
  virtual void Clear() = 0;
};

}  // namespace host_api
