// The driver's entry point as a component library: a host that loads it by path (dlopen) creates
// its public classes by ProgID.
#include <memory>

#include "driver/CTrxMlcQuery.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"
#include "driver/CTrxVti.h"
#include "platform/components/ClassRegistrar.h"

ORVEL_COMPONENT_ENTRY(registrar) {
  registrar.registerClass("orvelTRX440vti.CTrxVti",
                          [] { return std::make_shared<vti::CTrxVti>(); });
  registrar.registerClass("orvelTRX440vti.CTrxSafetyTest",
                          [] { return std::make_shared<vti::CTrxSafetyTest>(); });
  registrar.registerClass("orvelTRX440vti.CTrxTestResult",
                          [] { return std::make_shared<vti::CTrxTestResult>(); });
  registrar.registerClass("orvelTRX440vti.CTrxTestOptions",
                          [] { return std::make_shared<vti::CTrxTestOptions>(); });
  registrar.registerClass("orvelTRX440vti.CTrxMlcQuery",
                          [] { return std::make_shared<vti::CTrxMlcQuery>(); });
}
