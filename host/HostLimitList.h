#pragma once

#include <memory>
#include <vector>

#include "host_api/ILimitList.h"

namespace host {

// The ordered limits of one limit standard.
class HostLimitList : public host_api::ILimitList {
 public:
  int32_t Count() const override { return static_cast<int32_t>(m_limits.size()); }
  std::shared_ptr<host_api::ILimit> Item(int32_t position) const override;
  // A null limit is not added: every entry of the list can be judged and saved.
  void Add(const std::shared_ptr<host_api::ILimit>& limit) override;
  void Remove(int32_t position) override;
  void Clear() override { m_limits.clear(); }

 private:
  std::vector<std::shared_ptr<host_api::ILimit>> m_limits;
};

}  // namespace host
