#include "host/HostClassesInstaller.h"

#include "host/HostContainerCore.h"
#include "host/HostContentPane.h"
#include "host/HostElementCore.h"
#include "host/HostElementFilter.h"
#include "host/HostGuideToolbar.h"
#include "host/HostItemCollection.h"
#include "host/HostLimit.h"
#include "host/HostLimitList.h"
#include "host/HostLimitStandard.h"
#include "host/HostLimitView.h"
#include "host/HostStandards.h"
#include "host/HostTestContainer.h"
#include "host/HostTestGuideConfig.h"
#include "host/HostTestInformation.h"

namespace host {

void installHostClasses(host_api::HostServices& services) {
  auto& classes = services.classes;
  classes.newItemCollection = [] { return std::make_shared<HostItemCollection>(); };
  classes.newLimit = [] { return std::make_shared<HostLimit>(); };
  classes.newLimitList = [] { return std::make_shared<HostLimitList>(); };
  classes.newLimitStandard = [] { return std::make_shared<HostLimitStandard>(); };
  classes.newStandards = [] { return std::make_shared<HostStandards>(); };
  classes.newTestContainer = [] { return std::make_shared<HostTestContainer>(); };
  classes.newElementCore = [] { return std::make_shared<HostElementCore>(); };
  classes.newContainerCore = [] { return std::make_shared<HostContainerCore>(); };
  classes.newTestInformation = [] { return std::make_shared<HostTestInformation>(); };
  classes.newElementFilter = [] { return std::make_shared<HostElementFilter>(); };
  classes.newTestGuideConfig = [] { return std::make_shared<HostTestGuideConfig>(); };
  classes.newGuideToolbar = [] { return std::make_shared<HostGuideToolbar>(); };
  classes.newContentPane = [] { return std::make_shared<HostContentPane>(); };
}

void registerHostControls(platform::components::ClassRegistrar& registrar) {
  registrar.registerClass(HostLimitView::kProgId, &HostLimitView::create);
}

}  // namespace host
