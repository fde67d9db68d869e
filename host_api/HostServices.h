#pragma once

#include "host_api/HostApiExport.h"

#include <functional>
#include <memory>
#include <utility>

#include "host_api/IApplicationService.h"
#include "host_api/IContentPane.h"
#include "host_api/IElementCore.h"
#include "host_api/IErrorService.h"
#include "host_api/IGuideToolbar.h"
#include "host_api/IInstrumentData.h"
#include "host_api/IInstrumentRegistry.h"
#include "host_api/IItemCollection.h"
#include "host_api/ILimit.h"
#include "host_api/ILimitList.h"
#include "host_api/ILimitStandard.h"
#include "host_api/IPathService.h"
#include "host_api/IRegistryKey.h"
#include "host_api/IStandards.h"
#include "host_api/ITestContainer.h"
#include "host_api/ITestGuideConfig.h"
#include "host_api/IXmlService.h"
#include "platform/ComError.h"
#include "platform/ScopedOverride.h"

namespace host_api {

// The host's classes that a plug-in creates empty and fills: each member makes a new object.
struct HostClasses {
  std::function<std::shared_ptr<IItemCollection>()> newItemCollection;
  std::function<std::shared_ptr<ILimit>()> newLimit;
  std::function<std::shared_ptr<ILimitList>()> newLimitList;
  std::function<std::shared_ptr<ILimitStandard>()> newLimitStandard;
  std::function<std::shared_ptr<IStandards>()> newStandards;
  std::function<std::shared_ptr<ITestContainer>()> newTestContainer;
  std::function<std::shared_ptr<IElementCore>()> newElementCore;
  std::function<std::shared_ptr<IContainerCore>()> newContainerCore;
  std::function<std::shared_ptr<ITestInformation>()> newTestInformation;
  std::function<std::shared_ptr<IElementFilter>()> newElementFilter;
  std::function<std::shared_ptr<ITestGuideConfig>()> newTestGuideConfig;
  // The toolbar and the content pane of a plug-in's test guide.
  std::function<std::shared_ptr<IGuideToolbar>()> newGuideToolbar;
  std::function<std::shared_ptr<IContentPane>()> newContentPane;
};

// The host's services, one instance each per process. The host installs them at start-up (the
// host library's installHostServices()); the driver and the plug-in reach them here.
struct HostServices {
  std::shared_ptr<IErrorService> errors;
  std::shared_ptr<IApplicationService> application;
  std::shared_ptr<IXmlService> xml;
  std::shared_ptr<IPathService> paths;
  std::function<std::unique_ptr<IRegistryKey>()> newRegistryKey;
  // The instrument registry (ports assigned to instrument models) and a new, empty record of
  // an instrument's identity. Either may be empty in a host that offers no instruments.
  std::function<std::shared_ptr<IInstrumentRegistry>()> newInstrumentRegistry;
  std::function<std::shared_ptr<IInstrumentData>()> newInstrumentData;
  HostClasses classes;
};

// The one slot of the process, kept in the host interfaces' own shared library so that the
// driver, the plug-in and the program all see the same services.
ORVEL_HOST_API std::shared_ptr<HostServices>& hostServicesSlot();

// Installs other services (a test's fakes, or none at all) for its own lifetime, then puts back
// what was installed before, also when something installed services of its own meanwhile.
class HostServicesOverride : public platform::ScopedOverride<std::shared_ptr<HostServices>> {
 public:
  explicit HostServicesOverride(std::shared_ptr<HostServices> replacement)
      : ScopedOverride(hostServicesSlot(), std::move(replacement)) {}
};

// The installed services; throws when the host has installed none.
ORVEL_HOST_API HostServices& hostServices();

}  // namespace host_api
