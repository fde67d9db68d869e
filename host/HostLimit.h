#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host_api/ILimit.h"

namespace host {

// One limit of a limit standard: a key, a unit and an optional high and low value.
class HostLimit : public host_api::ILimit {
 public:
  // Nothing is changed when either text is not a number (ComError 13).
  void Initialize(const std::string& key, const std::string& unit, const std::string& high,
                  const std::string& low) override;

  std::string Key_get() const override { return m_key; }
  std::string Unit_get() const override { return m_unit; }
  std::optional<float> High_get() const override { return m_high; }
  void High_let(std::optional<float> value) override { m_high = value; }
  std::optional<float> Low_get() const override { return m_low; }
  void Low_let(std::optional<float> value) override { m_low = value; }

  // An independent copy of any limit.
  static std::shared_ptr<HostLimit> copyOf(const host_api::ILimit& limit);

 private:
  std::string m_key;
  std::string m_unit;
  std::optional<float> m_high;
  std::optional<float> m_low;
};

}  // namespace host
