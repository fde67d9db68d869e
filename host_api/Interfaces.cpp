// The interfaces' destructors live here, so that each interface has one virtual table and one
// type identity in the process, however many libraries use it.
#include "host_api/IApplicationService.h"
#include "host_api/IErrorService.h"
#include "host_api/IInstrumentData.h"
#include "host_api/IInstrumentRegistry.h"
#include "host_api/IOrvelMLCQuery.h"
#include "host_api/IPathService.h"
#include "host_api/IRegistryKey.h"
#include "host_api/IXmlService.h"

namespace host_api {

IApplicationService::~IApplicationService() = default;
IErrorService::~IErrorService() = default;
IInstrumentData::~IInstrumentData() = default;
IInstrumentRegistry::~IInstrumentRegistry() = default;
IOrvelMLCQuery::~IOrvelMLCQuery() = default;
IPathService::~IPathService() = default;
IRegistryKey::~IRegistryKey() = default;
IXmlService::~IXmlService() = default;
IXmlElement::~IXmlElement() = default;
IXmlDocument::~IXmlDocument() = default;

}  // namespace host_api
