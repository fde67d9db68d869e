#pragma once

#include <memory>

#include "host_api/ILoadLog.h"
#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace plugin {

class CPropertyTable;

class CModuleFilter;
class CModuleSetup;

// How patient-lead modules are tested: each module separately, module groups expanded, a stop
// at each new module, which modules (a filter on their information) and the module setup the
// element brings along. Stored as "ModuleOptions": the flags as attributes, one child per
// filter item, then the module setup's own "PlugInData".
class CCfgModuleOptions : public platform::Object {
 public:
  static constexpr const char* Tag = "ModuleOptions";

  CCfgModuleOptions();

  bool TestSeparately_get() const { return m_testSeparately; }
  void TestSeparately_let(bool value) { m_testSeparately = value; }
  bool ExpandGroups_get() const { return m_expandGroups; }
  void ExpandGroups_let(bool value) { m_expandGroups = value; }
  bool StopAtNew_get() const { return m_stopAtNew; }
  void StopAtNew_let(bool value) { m_stopAtNew = value; }
  const std::shared_ptr<CModuleFilter>& Filter_get() const { return m_filter; }
  void Filter_set(const std::shared_ptr<CModuleFilter>& filter) { m_filter = filter; }
  const std::shared_ptr<CModuleSetup>& ModuleSeup_get() const { return m_moduleSetup; }
  void ModuleSeup_set(const std::shared_ptr<CModuleSetup>& setup) { m_moduleSetup = setup; }
  bool OverridePatientLead_get() const { return m_overridePatientLead; }
  void OverridePatientLead_let(bool value) { m_overridePatientLead = value; }
  // Whether the dialog offers the patient-lead configuration; never stored.
  bool PLConfigurationVisible_get() const { return m_plConfigurationVisible; }
  void PLConfigurationVisible_let(bool value) { m_plConfigurationVisible = value; }

  // A deep copy: the filter and the module setup are copies too, so editing the clone leaves
  // this record as it is.
  // Adds the record's settings to `table`, bound to this record, for the host to read and set
  // by name.
  void DescribeProperties(CPropertyTable& table);

  std::shared_ptr<CCfgModuleOptions> Clone() const;
  // Starts from the defaults, then reads the flags, the filter items and the module setup. A
  // module setup that fails to load leaves the default one and the error goes on.
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log);
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const;

 private:
  bool m_testSeparately = false;
  bool m_expandGroups = false;
  bool m_stopAtNew = false;
  std::shared_ptr<CModuleFilter> m_filter;
  std::shared_ptr<CModuleSetup> m_moduleSetup;
  bool m_overridePatientLead = true;
  bool m_plConfigurationVisible = true;
};

}  // namespace plugin
