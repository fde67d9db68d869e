#pragma once

#include "host_api/HostApiExport.h"

#include <optional>
#include <string>

#include "platform/Object.h"

namespace host_api {

// One limit of a limit standard: under a limit key ("::B_AC"), a high limit (the reading must not
// be greater) and a low limit (it must not be smaller), each optional, in the key's unit.
class ORVEL_HOST_API ILimit : public platform::Object {
 public:
  ~ILimit() override;

  // `high` and `low` are decimal texts with "." (empty: no such limit). A text that is not a
  // number throws platform::ComError 13.
  virtual void Initialize(const std::string& key, const std::string& unit, const std::string& high,
                          const std::string& low) = 0;

  virtual std::string Key_get() const = 0;
  virtual std::string Unit_get() const = 0;
  virtual std::optional<float> High_get() const = 0;
  virtual void High_let(std::optional<float> value) = 0;
  virtual std::optional<float> Low_get() const = 0;
  virtual void Low_let(std::optional<float> value) = 0;
};

}  // namespace host_api
