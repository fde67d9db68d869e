// The interfaces' destructors live here, so that each interface has one virtual table and one
// type identity in the process, however many libraries use it.
#include "host_api/IApplicationService.h"
#include "host_api/ICallback.h"
#include "host_api/IConfigData.h"
#include "host_api/IContentPane.h"
#include "host_api/ICustomControl.h"
#include "host_api/IDialog.h"
#include "host_api/IElementCore.h"
#include "host_api/IElementFilter.h"
#include "host_api/IErrorService.h"
#include "host_api/IGuideToolbar.h"
#include "host_api/IInstrumentData.h"
#include "host_api/IInstrumentRegistry.h"
#include "host_api/IItemCollection.h"
#include "host_api/ILimit.h"
#include "host_api/ILimitData.h"
#include "host_api/ILimitEditor.h"
#include "host_api/ILimitList.h"
#include "host_api/ILimitStandard.h"
#include "host_api/ILoadLog.h"
#include "host_api/IMeasurement.h"
#include "host_api/IOperatorForms.h"
#include "host_api/IOrvelMLCQuery.h"
#include "host_api/IPathService.h"
#include "host_api/IPlugIn.h"
#include "host_api/IProperties.h"
#include "host_api/IRegistryKey.h"
#include "host_api/IReport.h"
#include "host_api/IResultData.h"
#include "host_api/ISetup.h"
#include "host_api/IStandards.h"
#include "host_api/ITestContainer.h"
#include "host_api/ITestElement.h"
#include "host_api/ITestGuideConfig.h"
#include "host_api/ITestInformation.h"
#include "host_api/ITestRun.h"
#include "host_api/IXmlService.h"

namespace host_api {

IApplicationService::~IApplicationService() = default;
void IApplicationService::TranslateCaptions(const std::string& pluginId,
                                            platform::forms::Form& form) {
  platform::forms::translateCaptions(form, translatorFor(pluginId));
}
void IApplicationService::TranslateCaptions(const std::string& pluginId,
                                            platform::forms::Control& control) {
  platform::forms::translateCaptions(control, translatorFor(pluginId));
}
platform::forms::Translator IApplicationService::translatorFor(const std::string& pluginId) {
  return [this, pluginId](const std::string& text) { return Translate(pluginId, text); };
}
std::vector<std::pair<std::string, std::string>> IApplicationService::ElementData(
    const platform::Object&) const {
  return {};
}
IErrorService::~IErrorService() = default;
IInstrumentData::~IInstrumentData() = default;
IInstrumentRegistry::~IInstrumentRegistry() = default;
IOrvelMLCQuery::~IOrvelMLCQuery() = default;
IPathService::~IPathService() = default;
IRegistryKey::~IRegistryKey() = default;
IXmlService::~IXmlService() = default;
IXmlElement::~IXmlElement() = default;

std::shared_ptr<IXmlElement> IXmlElement::appendNewChild(const std::string& name) {
  return appendChild(ownerDocument()->createElement(name));
}
IXmlDocument::~IXmlDocument() = default;
ICallback::~ICallback() = default;
IConfigData::~IConfigData() = default;
IContentPane::~IContentPane() = default;
IGuideToolbar::~IGuideToolbar() = default;
ICustomControl::~ICustomControl() = default;
IDialog::~IDialog() = default;
IElementCore::~IElementCore() = default;
IContainerCore::~IContainerCore() = default;
IElementFilter::~IElementFilter() = default;
IItem::~IItem() = default;
IItemCollection::~IItemCollection() = default;
ILimit::~ILimit() = default;
ILimitData::~ILimitData() = default;
ILimitEditor::~ILimitEditor() = default;
ILimitList::~ILimitList() = default;
ILimitStandard::~ILimitStandard() = default;
ILoadLog::~ILoadLog() = default;
IMeasurement::~IMeasurement() = default;
IOperatorForms::~IOperatorForms() = default;
IPlugIn::~IPlugIn() = default;
IProperties::~IProperties() = default;
IReport::~IReport() = default;
IResultData::~IResultData() = default;
ISetup::~ISetup() = default;
IStandards::~IStandards() = default;
ITestContainer::~ITestContainer() = default;
ITestElement::~ITestElement() = default;
ITestGuideConfig::~ITestGuideConfig() = default;
ITestInformation::~ITestInformation() = default;
ITestRun::~ITestRun() = default;

}  // namespace host_api
