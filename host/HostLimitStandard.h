#pragma once

#include <memory>
#include <string>

#include "host/HostLimitList.h"
#include "host_api/ILimitStandard.h"

namespace host {

// The limits of one test standard for one protection class of the device, and the judgement of a
// reading against them.
class HostLimitStandard : public host_api::ILimitStandard {
 public:
  void Initialize(int32_t standardId, const std::string& className, int32_t flag) override;
  int32_t StandardID_get() const override { return m_standardId; }
  std::string ClassName_get() const override { return m_className; }
  int32_t Flag_get() const override { return m_flag; }
  // The standard's display name and the class: "IEC 62353 I", "IEC 60601-1" without a class.
  std::string Name_get() const override;
  std::shared_ptr<host_api::ILimitList> Limits_get() const override { return m_limits; }
  void AddLimit(const std::shared_ptr<host_api::ILimit>& limit) override;
  std::shared_ptr<host_api::ILimitStandard> Copy() const override;

  // A reading is judged only by limits that have a value: a key whose limits are all empty
  // passes anything. A reading that cannot be read as a number (any text but "OL", empty,
  // an object, NaN) fails every limit that has a value: a reading nobody can judge must never
  // count as passed.
  int32_t Evaluate(const std::string& key, const platform::Variant& value) const override;

  // The name StandardNames gives the id, else "Standard <id>".
  static std::string standardName(int32_t standardId);

 private:
  int32_t m_standardId = 0;
  std::string m_className;
  int32_t m_flag = 0;
  std::shared_ptr<HostLimitList> m_limits = std::make_shared<HostLimitList>();
};

}  // namespace host
