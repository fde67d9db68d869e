#include "plugin/guide/MModuleSetupList.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/ListView.h"
#include "plugin/instrument/MGlobalVTI.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/CModuleSetup.h"

namespace plugin::MModuleSetupList {

namespace {

std::string socketNames(const CModuleEntry& entry) {
  std::vector<int32_t> sockets;
  for (int32_t i = 0; i < entry.Leads_get(); ++i) sockets.push_back(entry.FirstLead_get() + i);
  return MGlobalVTI::LeadList(sockets);
}

void addRow(platform::forms::ListView& list, const CModuleEntry& entry, const std::string& indent) {
  list.addItem(std::to_string(entry.ModuleID_get()), indent + entry.Code_get(),
               {entry.Class_get(), socketNames(entry)});
}

}  // namespace

void Fill(platform::forms::ListView& list, const CModuleSetup* setup) {
  list.clearItems();
  if (!setup) return;
  for (const auto& entry : setup->NewEnum()) {
    if (!entry) continue;
    addRow(list, *entry, "");
    auto group = std::dynamic_pointer_cast<CModuleGroup>(entry);
    if (!group) continue;
    for (const auto& member : group->NewEnum()) {
      if (member) addRow(list, *member, "  ");
    }
  }
}

MLeadStrip::Strip LeadStrip(const CModuleSetup* setup) {
  std::vector<MLeadStrip::Module> placed;
  int32_t startLead = 0;
  for (const auto& entry :
       setup ? setup->NewEnum() : std::vector<std::shared_ptr<CModuleEntry>>{}) {
    if (!entry || entry->Leads_get() <= 0) continue;
    if (startLead == 0) startLead = entry->FirstLead_get();
    placed.push_back({entry->Code_get(), entry->Leads_get()});
  }
  std::vector<std::string> names;
  for (int32_t socket = 1; socket <= MLeadStrip::SocketCount; ++socket) {
    names.push_back(MGlobalVTI::LeadName(socket));
  }
  return MLeadStrip::Draw(placed, startLead < 1 ? 1 : startLead, names);
}

}  // namespace plugin::MModuleSetupList
