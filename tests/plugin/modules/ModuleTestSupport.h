#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host_api/HostServices.h"
#include "host_api/IItemCollection.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/IPlugInReference.h"
#include "support/InstalledHost.h"
#include "support/StandInPlugInReference.h"

namespace modules_test {

using StandInPlugIn = StandInPlugInReference;

class RecordingLog : public host_api::ILoadLog {
 public:
  void Write(const std::string& message) override { lines.push_back(message); }
  std::vector<std::string> lines;
};

// The installed host (its item collection class included), and no plug-in entry registered.
class ModulesTest : public InstalledHost {
 protected:
  // A module named `name` (the key item) with a serial number, as the editor makes one.
  static std::shared_ptr<plugin::CModule> module(const std::string& name, int32_t leads,
                                                 int32_t firstLead, int32_t classId = 1,
                                                 const std::string& serial = "") {
    auto m = std::make_shared<plugin::CModule>();
    m->ModuleInfo_get()->Add("Name", name, true);
    m->ModuleInfo_get()->Add("Serial", serial, false);
    m->Leads_let(leads);
    m->FirstLead_let(firstLead);
    m->ClassID_let(classId);
    return m;
  }

  static std::shared_ptr<host_api::IXmlElement> parse(const std::string& xml) {
    return host_api::hostServices().xml->loadDocumentFromString(xml)->documentElement();
  }

  // An empty owner element to save into.
  static std::shared_ptr<host_api::IXmlElement> owner() { return parse("<Owner/>"); }

  // What `setup` saves, as text.
  static std::string saved(const plugin::CModuleSetup& setup) {
    auto root = owner();
    setup.Save(*root);
    return root->ownerDocument()->toString();
  }

  plugin::PlugInReferenceOverride noPlugIn{nullptr};
};

}  // namespace modules_test
