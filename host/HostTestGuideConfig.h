#pragma once

#include <memory>

#include "host_api/ITestGuideConfig.h"

namespace host {

// The host's test guide setting of one element. XML: <TestGuideSettings Settings="9"/>. Load
// takes that element itself, or an element holding it as a child; a value that is not a whole
// number keeps the setting held.
class HostTestGuideConfig : public host_api::ITestGuideConfig {
 public:
  int32_t Settings_get() const override { return m_settings; }
  void Settings_let(int32_t settings) override { m_settings = settings; }
  std::shared_ptr<host_api::ITestGuideConfig> Clone() const override;
  void Load(const host_api::IXmlElement& element) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;

 private:
  int32_t m_settings = 0;
};

}  // namespace host
