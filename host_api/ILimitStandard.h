#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/ILimit.h"
#include "host_api/ILimitList.h"
#include "platform/Object.h"
#include "platform/Variant.h"

namespace host_api {

// Outcome of a limit check, in the host's status codes.
namespace LimitStatus {
constexpr int32_t Passed = 1;
constexpr int32_t Failed = 2;
}  // namespace LimitStatus

// A limit standard: the limits of one test standard (by the host's standard ids: 1 AAMI/NFPA-99,
// 2 IEC 60601-1, 3 IEC 61010, 4 IEC 62353, 5 AS/NZS 3551, 6 AAMI ES60601-1, 7 VDE 751.1,
// 8 DB9801S1) for one protection class of the device ("I", "II"). Applied-part classes are no
// limit standards of their own: they are part of each limit's key ("::CF_AC").
class ORVEL_HOST_API ILimitStandard : public platform::Object {
 public:
  ~ILimitStandard() override;

  virtual void Initialize(int32_t standardId, const std::string& className, int32_t flag) = 0;
  virtual int32_t StandardID_get() const = 0;
  virtual std::string ClassName_get() const = 0;
  virtual int32_t Flag_get() const = 0;
  // The name shown in reports and views, such as "IEC 62353 I".
  virtual std::string Name_get() const = 0;
  virtual std::shared_ptr<ILimitList> Limits_get() const = 0;
  virtual void AddLimit(const std::shared_ptr<ILimit>& limit) = 0;
  // An independent copy: id, class, flag and copies of every limit.
  virtual std::shared_ptr<ILimitStandard> Copy() const = 0;

  // Judges `value` against every limit under `key`: Failed when it is greater than a high limit
  // or smaller than a low limit, else Passed (also when no limit has that key). The reading "OL"
  // (beyond the measuring range) and the overflow value 99999 fail every high limit and pass
  // every low limit; any other text that is not a number fails.
  virtual int32_t Evaluate(const std::string& key, const platform::Variant& value) const = 0;
};

}  // namespace host_api
