#pragma once

#include <memory>
#include <string>

#include "host_api/IDialog.h"
#include "host_api/ILoadLog.h"
#include "host_api/IReport.h"
#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace plugin {

class CModuleSetup;

// What both result classes do with the module setup that was tested.
namespace MResultModuleSetup {

// The module setup the plug-in entry holds from the last load of stored result data, taken
// over: a copy of it when it has a module (the entry's setup is then cleared), else null.
std::shared_ptr<CModuleSetup> TakeCurrent();

// A module setup read from its "PlugInData" element.
std::shared_ptr<CModuleSetup> Load(const host_api::IXmlElement& element, host_api::ILoadLog* log);
void Save(const CModuleSetup& setup, host_api::IXmlElement& owner);
void Print(const CModuleSetup& setup, host_api::IReport& report);

// The element setup form showing the control `progId` for `result`. Throws when the control
// cannot be created.
std::shared_ptr<host_api::IDialog> CreateDialog(const std::string& progId,
                                                const std::shared_ptr<platform::Object>& result);

}  // namespace MResultModuleSetup
}  // namespace plugin
