#pragma once

#include <memory>

#include "host_api/IConfigData.h"
#include "host_api/ITestElement.h"
#include "host_api/ITestGuideConfig.h"
#include "plugin/config/CCfgECGOptions.h"
#include "plugin/core/CNamedProperties.h"

namespace plugin {

// The configuration of an ECG simulation test: the waveform options and the host's own
// test-guide settings for the element, which the host writes and reads itself.
class CConfigECG : public host_api::IConfigData, public CNamedProperties {
 public:
  static constexpr const char* ClassName = "CConfigECG";

  // Creates the host's test-guide settings object; a host that offers none leaves it null,
  // and the configuration then keeps only its ECG options.
  CConfigECG();

  const std::shared_ptr<CCfgECGOptions>& ECGOptions_get() const { return m_ecgOptions; }
  const std::shared_ptr<host_api::ITestGuideConfig>& TestGuideConfig_get() const {
    return m_testGuideConfig;
  }
  std::shared_ptr<host_api::ITestElement> Owner_get() const { return m_owner.lock(); }
  void Owner_set(const std::shared_ptr<host_api::ITestElement>& owner) { m_owner = owner; }

  bool HasDialog_get() const override { return true; }
  std::shared_ptr<host_api::IConfigData> Clone() const override;
  std::shared_ptr<host_api::IDialog> CreateDialog() override;
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;
  // An ECG configuration has nothing to print.
  void PrintReport(host_api::IReport*) const override {}

 protected:
  // By name: the ECG options. The host's test-guide settings are the host's to edit.
  CPropertyTable PropertyTable() override;

 private:
  std::shared_ptr<CCfgECGOptions> m_ecgOptions;
  std::shared_ptr<host_api::ITestGuideConfig> m_testGuideConfig;
  std::weak_ptr<host_api::ITestElement> m_owner;
};

}  // namespace plugin
