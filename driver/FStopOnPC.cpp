#include "driver/FStopOnPC.h"

#include "platform/forms/Button.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"

namespace vti {

FStopOnPC::FStopOnPC() : FPowerPrompt(kFormName) {
  using namespace platform::forms;
  Caption_let("21010::Stop On Power Configuration");
  add<Image>("imgInformation").Picture_let("information");
  auto& error = add<Image>("imgError");
  error.Picture_let("error");
  error.Visible_let(false);
  add<Label>(kTitle);
  add<Label>(kBody);
  add<Label>(kTimer).Visible_let(false);
  auto& skip = add<Button>(kSkip);
  skip.Caption_let("20013::&Skip");
  skip.Visible_let(false);
  skip.onClick([this] { answer(Answer::Skip); });
  addButtonsAndTimer();
  translateCaptions();
  // The no-resistance countdown is ready from the start; only that prompt shows and runs it.
  setRemaining(kNoResistanceSeconds);
}

void FStopOnPC::ShowSkip() { get<platform::forms::Button>(kSkip).Visible_let(true); }

void FStopOnPC::ShowStopBefore(bool fToOn, const bool& fToOff, platform::forms::Form* objfrmOwner) {
  setText(kTitle, "21011::Power configuration on Equpment Output is about to change");
  if (fToOn && fToOff) {
    setText(kBody,
            "21014::The power on the TRX440's equipment output will now change from ON to OFF "
            "and then to ON again. Perform any required operations on the DUT, then click "
            "Continue to keep on testing.");
  } else if (fToOn) {
    setText(kBody,
            "21013::The power on the TRX440's equipment output will now change from OFF to ON. "
            "Perform any required operations on the DUT, then click Continue to keep on "
            "testing.");
  } else {
    setText(kBody,
            "21012::The power on the TRX440's equipment output will now change from ON to OFF. "
            "Perform any required operations on the DUT, then click Continue to keep on "
            "testing.");
  }
  showModal(objfrmOwner);
}

void FStopOnPC::ShowStopAfter(bool fToOn, platform::forms::Form* objfrmOwner) {
  const std::string lid = translate(fToOn ? kPowerOn : kPowerOff);
  setText(kTitle, "21015::Power is now %%1.", {lid});
  setText(kBody,
          "21016::The power on the the TRX440's equipment output is now set to %%1. Perform any "
          "required operations on the DUT, then click Continue to keep on testing.",
          {lid});
  showModal(objfrmOwner);
}

void FStopOnPC::ShowNoResistance(platform::forms::Form* objfrmOwner) {
  using namespace platform::forms;
  get<Image>("imgInformation").Visible_let(false);
  get<Image>("imgError").Visible_let(true);
  Caption_let(translate("21019::No Resistance Measurement"));
  setText(kTitle, "21020::The TRX440 was unable to make a resistance measurement");
  setText(kBody,
          "21021::Check that the test leads are properly connected and click Continue to repeat "
          "the test.");
  get<Label>(kTimer).Visible_let(true);
  startCountdown(kNoResistanceSeconds);
  showModal(objfrmOwner);
}

}  // namespace vti
