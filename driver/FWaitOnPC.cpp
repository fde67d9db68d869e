#include "driver/FWaitOnPC.h"

#include "platform/forms/Label.h"

namespace vti {

FWaitOnPC::FWaitOnPC() : FPowerPrompt(kFormName) {
  using platform::forms::Label;
  Caption_let("21030::Power On/Off Delay");
  add<Label>(kTitle);
  add<Label>(kBody).Caption_let(
      "21032::When the time has elapsed the test will automatically continue. Click Continue to "
      "advance the test immediately, or click Stop Test to halt the safety test.");
  add<Label>(kTimer);
  addButtonsAndTimer();
  translateCaptions();
}

void FWaitOnPC::WaitOnPC(const std::string& sLidOnOff, int32_t lDelayTime,
                         platform::forms::Form* objfrmOwner, bool fBefore) {
  if (lDelayTime <= 0) return;
  const std::string lid = translate(sLidOnOff);
  if (!fBefore && (lid == translate(kPowerOn) || lid == translate(kPowerOff))) {
    get<platform::forms::Label>(kTitle).Caption_let(
        translate("21015::Power is now %%1.", {lid}) + " " +
        translate("21031::In order for the DUT to stabilize, the test will pause for %%1 seconds.",
                  {lDelayTime}));
  } else {
    setText(kTitle, "21022::DUT will switch off after %%1 seconds.", {lDelayTime});
  }
  startCountdown(lDelayTime);
  showModal(objfrmOwner);
}

}  // namespace vti
