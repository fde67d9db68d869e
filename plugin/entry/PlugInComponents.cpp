// The plug-in's entry point as a component library: the host loads it by path (dlopen) and
// creates its public classes by ProgID.
#include <memory>
#include <string>

#include "platform/components/ClassRegistrar.h"
#include "plugin/config/CCfgButtonOptions.h"
#include "plugin/config/CCfgECGOptions.h"
#include "plugin/config/CCfgLeadOptions.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CCfgResistOptions.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/config/CConfigECG.h"
#include "plugin/config/CConfigResistance.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/XPlugInPreferences.h"
#include "plugin/elements/CTestGroup.h"
#include "plugin/elements/CTestMulti.h"
#include "plugin/elements/CTestSingle.h"
#include "plugin/entry/COperatorForms.h"
#include "plugin/entry/CPlugInTRX440.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/CModuleFilterItem.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/results/CMeasurement.h"
#include "plugin/results/CResultData.h"
#include "plugin/results/CResultTestGroup.h"
#include "plugin/results/XDetailedResult.h"

namespace {
template <typename T>
void registerPlugInClass(platform::components::ClassRegistrar& registrar,
                         const std::string& className = T::ClassName) {
  registrar.registerClass("orvelTRX440." + className, [] { return std::make_shared<T>(); });
}

// Test elements hand themselves to the objects they own, so only their Create() makes them
// whole. A group is also a container; both faces are objects, and the element face is the one
// handed out.
template <typename T>
void registerElementClass(platform::components::ClassRegistrar& registrar) {
  registrar.registerClass(std::string("orvelTRX440.") + T::ClassName, [] {
    return std::static_pointer_cast<host_api::ITestElement>(T::Create());
  });
}
}  // namespace

ORVEL_COMPONENT_ENTRY(registrar) {
  // One line per public class, in the order of the plug-in's folders.
  registerPlugInClass<plugin::XPlugInPreferences>(registrar);
  registerPlugInClass<plugin::CModule>(registrar);
  registerPlugInClass<plugin::CModuleGroup>(registrar);
  registerPlugInClass<plugin::CModuleSetup>(registrar);
  registerPlugInClass<plugin::CModuleFilter>(registrar);
  registerPlugInClass<plugin::CModuleFilterItem>(registrar);
  registerPlugInClass<plugin::CCfgTestOptions>(registrar, "CCfgTestOptions");
  registerPlugInClass<plugin::CCfgModuleOptions>(registrar, "CCfgModuleOptions");
  registerPlugInClass<plugin::CCfgLeadOptions>(registrar, "CCfgLeadOptions");
  registerPlugInClass<plugin::CCfgECGOptions>(registrar, "CCfgECGOptions");
  registerPlugInClass<plugin::CCfgResistOptions>(registrar, "CCfgResistOptions");
  registerPlugInClass<plugin::CCfgButtonOptions>(registrar, "CCfgButtonOptions");
  registerPlugInClass<plugin::CConfigTestGroup>(registrar);
  registerPlugInClass<plugin::CConfigResistance>(registrar);
  registerPlugInClass<plugin::CConfigECG>(registrar);
  registerPlugInClass<plugin::CMeasurement>(registrar);
  registerPlugInClass<plugin::CResultData>(registrar);
  registerPlugInClass<plugin::CResultTestGroup>(registrar);
  registerPlugInClass<plugin::XDetailedResult>(registrar);
  registerElementClass<plugin::CTestSingle>(registrar);
  registerElementClass<plugin::CTestMulti>(registrar);
  registerElementClass<plugin::CTestGroup>(registrar);
  registerPlugInClass<plugin::CPlugInTRX440>(registrar);
  registerPlugInClass<plugin::COperatorForms>(registrar);
}
