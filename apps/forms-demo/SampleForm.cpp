#include "SampleForm.h"

#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MessageBox.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/Timer.h"
#include "platform/forms/UpDown.h"

using namespace platform::forms;

SampleForm::SampleForm(int seconds) : Form("FSampleDelay"), m_remaining(seconds) { build(); }

void SampleForm::build() {
  Caption_let("Power On/Off Delay");
  add<Image>("imgInfo").Picture_let("information");
  add<Label>("lblTitle").Caption_let("Power is now ON. The DUT needs a moment to stabilize.");
  add<Label>("lblBody").Caption_let(
      "When the time has elapsed the test will automatically continue. Press Continue to go on "
      "now, or Stop Test to halt the safety test.");
  add<Label>("lblTimer");
  auto& save = add<OptionButton>("optSave");
  save.Caption_let("&Save the result and continue");
  save.Value_let(true);
  add<OptionButton>("optDiscard").Caption_let("&Discard the result and continue");
  add<CheckBox>("chkUseOnAll").Caption_let("Use on all s&ubsequent tests");
  add<Label>("lblRepeat").Caption_let("Repeat count:");
  auto& count = add<TextBox>("txtRepeat");
  count.onKeyPress([](int& key) {
    if (key != kKeyBackspace && (key < '0' || key > '9')) key = 0;  // digits only
  });
  auto& upDown = add<UpDown>("updRepeat");
  upDown.Min_let(1);
  upDown.Max_let(9);
  upDown.BuddyControl_let("txtRepeat");
  auto& list = add<ListView>("lvwLast");
  list.addColumn("test", "Test", 22);
  list.addColumn("value", "Value", 8);
  list.addColumn("unit", "Unit", 5);
  list.addColumn("result", "Result", 6);
  list.addItem("pe", "Protective earth", {"0.102", "Ohm", "Pass"});
  list.addItem("ins", "Insulation", {">200", "MOhm", "Pass"});
  list.addItem("enc", "Enclosure leakage", {"12.5", "uA", "Pass"});

  auto& ok = add<Button>("cmdContinue");
  ok.Caption_let("&Continue");
  ok.Default_let(true);
  ok.onClick([this] { finish(Continue); });
  auto& repeat = add<Button>("cmdRepeat");
  repeat.Caption_let("&Repeat");
  repeat.onClick([this] { finish(Repeat); });
  auto& stop = add<Button>("cmdStop");
  stop.Caption_let("Stop &Test");
  stop.Cancel_let(true);
  stop.onClick([this] {
    // Stopping ends the whole run, so it is confirmed first; the countdown keeps running.
    if (msgBox("Stop the safety test now?", "Stop Test", MessageButtons::YesNo,
               MessageIcon::Warning, this) == vbYes) {
      finish(Stop);
    }
  });
  auto& timer = add<Timer>("tmrCountdown");
  timer.onTimer([this] { tick(); });
  showRemaining();
  timer.Interval_let(1000);

  Layout_let(Layout::column({
      Layout::row({Layout::control("imgInfo"), Layout::control("lblTitle")}),
      Layout::control("lblBody"),
      Layout::control("lblTimer"),
      Layout::group("Result", {Layout::control("optSave"), Layout::control("optDiscard"),
                               Layout::control("chkUseOnAll")}),
      Layout::row({Layout::control("lblRepeat"), Layout::control("txtRepeat"),
                   Layout::control("updRepeat")}),
      Layout::group("Last readings", {Layout::control("lvwLast")}),
      Layout::row({Layout::control("cmdContinue"), Layout::control("cmdRepeat"),
                   Layout::control("cmdStop")}),
  }));
}

void SampleForm::showRemaining() {
  get<Label>("lblTimer")
      .Caption_let("The test will automatically continue in " + std::to_string(m_remaining) +
                   " seconds.");
}

void SampleForm::tick() {
  if (--m_remaining > 0) {
    showRemaining();
    return;
  }
  finish(Continue);
}

void SampleForm::finish(Answer answer) {
  m_answer = answer;
  unload();
}

std::string SampleForm::choices() const {
  std::string option = get<OptionButton>("optSave").Value_get() ? "save" : "discard";
  bool all = get<CheckBox>("chkUseOnAll").Value_get() == vbChecked;
  return option + (all ? " (on all subsequent tests)" : "") + ", repeat count " +
         get<TextBox>("txtRepeat").Text_get();
}
