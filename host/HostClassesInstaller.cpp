#include "host/HostClassesInstaller.h"

#include "host/HostItemCollection.h"
#include "host/HostLimit.h"
#include "host/HostLimitList.h"
#include "host/HostLimitStandard.h"
#include "host/HostLimitView.h"
#include "host/HostStandards.h"

namespace host {

void installHostClasses(host_api::HostServices& services) {
  auto& classes = services.classes;
  classes.newItemCollection = [] { return std::make_shared<HostItemCollection>(); };
  classes.newLimit = [] { return std::make_shared<HostLimit>(); };
  classes.newLimitList = [] { return std::make_shared<HostLimitList>(); };
  classes.newLimitStandard = [] { return std::make_shared<HostLimitStandard>(); };
  classes.newStandards = [] { return std::make_shared<HostStandards>(); };
}

void registerHostControls(platform::components::ClassRegistrar& registrar) {
  registrar.registerClass(HostLimitView::kProgId, &HostLimitView::create);
}

}  // namespace host
