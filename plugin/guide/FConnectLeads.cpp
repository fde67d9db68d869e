#include "plugin/guide/FConnectLeads.h"

#include "platform/forms/Button.h"
#include "platform/forms/Label.h"
#include "plugin/guide/MDialogTools.h"
#include "plugin/guide/MLeadStrip.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/MModuleUtils.h"

namespace plugin {

namespace {
using namespace platform::forms;

std::vector<std::string> socketNames() {
  std::vector<std::string> names;
  for (int32_t socket = 1; socket <= MLeadStrip::SocketCount; ++socket) {
    names.push_back(MModuleUtils::LeadDisplayName(socket));
  }
  return names;
}
}  // namespace

FConnectLeads::FConnectLeads() : Form(kFormName) {
  build();
  MDialogTools::TranslateCaptions(*this);
}

void FConnectLeads::build() {
  Caption_let(MDialogTools::WindowTitle);
  add<Label>(kTitle).Caption_let("20210::Connect Applied Parts Module");
  add<Label>(kVerify).Caption_let(
      "20211::Please verify that the applied parts module is connected to the TRX440 as "
      "displayed below.");
  add<Label>(kNames);
  add<Label>(kLines);
  add<Label>(kSockets);
  add<Label>(kPress).Caption_let(
      "20212::Press continue to perform the safety test on this module.");
  auto& proceed = add<Button>(kContinue);
  proceed.Caption_let(MDialogTools::ContinueCaption);
  proceed.Default_let(true);
  proceed.onClick([this] {
    m_cancel = false;
    hide();
  });
  auto& stop = add<Button>(kStop);
  stop.Caption_let(MDialogTools::StopCaption);
  stop.Cancel_let(true);
  stop.onClick([this] {
    m_cancel = true;
    hide();
  });
  Layout_let(Layout::column({
      Layout::control(kTitle),
      Layout::control(kVerify),
      Layout::control(kNames),
      Layout::control(kLines),
      Layout::control(kSockets),
      Layout::control(kPress),
      Layout::row({Layout::control(kContinue), Layout::control(kStop)}),
  }));
}

void FConnectLeads::Initialize(const std::shared_ptr<CModuleSetup>& modules, int32_t startLead) {
  std::vector<MLeadStrip::Module> placed;
  if (modules) {
    for (const auto& entry : modules->NewEnum()) {
      if (entry) placed.push_back({entry->Code_get(), entry->Leads_get()});
    }
  }
  const auto strip = MLeadStrip::Draw(placed, startLead, socketNames());
  get<Label>(kNames).Caption_let(strip.names);
  get<Label>(kLines).Caption_let(strip.lines);
  get<Label>(kSockets).Caption_let(strip.sockets);
}

void FConnectLeads::Display(platform::forms::Form* owner) {
  m_cancel = true;
  MDialogTools::ShowOverGuide(*this, owner);
}

}  // namespace plugin
