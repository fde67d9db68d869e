#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/ILoadLog.h"
#include "host_api/IXmlService.h"
#include "platform/Object.h"
#include "platform/Variant.h"

namespace host_api {

// Kinds of a measurement's value, in the host's codes.
namespace ValueKind {
constexpr int32_t Numeric = 1;
constexpr int32_t PassFail = 3;
constexpr int32_t Text = 5;
}  // namespace ValueKind

// Result statuses in the host's codes.
namespace ResultStatus {
constexpr int32_t None = 0;
constexpr int32_t Passed = 1;
constexpr int32_t Failed = 2;
constexpr int32_t NoVerdict = 3;
}  // namespace ResultStatus

// One reading as the host sees it.
class ORVEL_HOST_API IMeasurement : public platform::Object {
 public:
  ~IMeasurement() override;

  virtual std::string Description_get() const = 0;
  virtual std::string Key_get() const = 0;
  virtual std::string LimitKey_get() const = 0;
  virtual int32_t Status_get() const = 0;
  virtual std::string Unit_get() const = 0;
  virtual platform::Variant Value_get() const = 0;
  virtual platform::Variant PresetValue_get() const = 0;
  virtual int32_t ValueType_get() const = 0;
  virtual std::string ValueFormat_get() const = 0;
  virtual std::string Flags_get() const = 0;
  virtual std::string ToolTipText_get() const = 0;
  virtual void Load(const IXmlElement& element, ILoadLog* log) = 0;
  virtual std::shared_ptr<IXmlElement> Save(IXmlElement& owner) const = 0;
};

}  // namespace host_api
