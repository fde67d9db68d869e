#pragma once

#include <memory>

#include "host_api/IConfigData.h"
#include "host_api/ITestElement.h"
#include "plugin/config/CCfgButtonOptions.h"
#include "plugin/config/CCfgResistOptions.h"
#include "plugin/core/CNamedProperties.h"

namespace plugin {

// The configuration of a protective-earth resistance test (and of the other single tests that
// measure a resistance): the operator buttons and the resistance options.
class CConfigResistance : public host_api::IConfigData, public CNamedProperties {
 public:
  static constexpr const char* ClassName = "CConfigResistance";

  CConfigResistance();

  const std::shared_ptr<CCfgButtonOptions>& Buttons_get() const { return m_buttons; }
  const std::shared_ptr<CCfgResistOptions>& Test_get() const { return m_test; }
  // The element that owns the configuration; held weakly, the element owns its configuration.
  std::shared_ptr<host_api::ITestElement> Owner_get() const { return m_owner.lock(); }
  void Owner_set(const std::shared_ptr<host_api::ITestElement>& owner) { m_owner = owner; }

  bool HasDialog_get() const override { return true; }
  std::shared_ptr<host_api::IConfigData> Clone() const override;
  std::shared_ptr<host_api::IDialog> CreateDialog() override;
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;
  // A resistance configuration has nothing to print.
  void PrintReport(host_api::IReport*) const override {}

 protected:
  // By name: the resistance options and the buttons.
  CPropertyTable PropertyTable() override;

 private:
  std::shared_ptr<CCfgButtonOptions> m_buttons;
  std::shared_ptr<CCfgResistOptions> m_test;
  std::weak_ptr<host_api::ITestElement> m_owner;
};

}  // namespace plugin
