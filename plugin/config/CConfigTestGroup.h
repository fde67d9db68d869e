#pragma once

#include <cstdint>
#include <memory>

#include "host_api/IConfigData.h"
#include "host_api/ITestElement.h"
#include "plugin/config/CCfgButtonOptions.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/core/CNamedProperties.h"

namespace plugin {

// The configuration of a test group (and of the single and multi tests that run like one):
// operator buttons, module options, test options, and which member value the group reports as
// its own.
class CConfigTestGroup : public host_api::IConfigData, public CNamedProperties {
 public:
  static constexpr const char* ClassName = "CConfigTestGroup";

  // Which member value becomes the group's summary value.
  static constexpr int32_t ValueFilterNone = 0;
  static constexpr int32_t ValueFilterMax = 1;
  static constexpr int32_t ValueFilterMin = 2;

  // The element type of a whole safety test sequence; only its test options may be optimized.
  static constexpr int32_t SequenceElementType = 100;

  CConfigTestGroup();

  const std::shared_ptr<CCfgButtonOptions>& Buttons_get() const { return m_buttons; }
  const std::shared_ptr<CCfgModuleOptions>& Modules_get() const { return m_modules; }
  const std::shared_ptr<CCfgTestOptions>& Test_get() const { return m_test; }
  int32_t ValueFilter_get() const { return m_valueFilter; }
  void ValueFilter_let(int32_t value) { m_valueFilter = value; }
  std::shared_ptr<host_api::ITestElement> Owner_get() const { return m_owner.lock(); }
  // An owner that is not a whole test sequence cannot run optimized: its test options lose
  // Optimized.
  void Owner_set(const std::shared_ptr<host_api::ITestElement>& owner);

  bool HasDialog_get() const override { return true; }
  std::shared_ptr<host_api::IConfigData> Clone() const override;
  std::shared_ptr<host_api::IDialog> CreateDialog() override;
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;
  // One configuration row, chosen by the owner's element type; nothing for other types.
  void PrintReport(host_api::IReport* report) const override;

 protected:
  // By name: the test options, the module options' flags, the buttons, and ValueFilter. A
  // configuration whose owner cannot run optimized refuses Optimized = True, which its next
  // Load would undo.
  CPropertyTable PropertyTable() override;

 private:
  void applyOwnerRule();
  void printRow(host_api::IReport& report, const host_api::ITestElement& owner) const;

  std::shared_ptr<CCfgButtonOptions> m_buttons;
  std::shared_ptr<CCfgModuleOptions> m_modules;
  std::shared_ptr<CCfgTestOptions> m_test;
  int32_t m_valueFilter = ValueFilterNone;
  std::weak_ptr<host_api::ITestElement> m_owner;
};

}  // namespace plugin
