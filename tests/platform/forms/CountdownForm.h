#pragma once

#include <string>

#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/Timer.h"

// A prompt shaped like the power-change prompts: a title, a countdown label updated every
// second, Continue (default) and Stop Test (cancel). At 0 it continues by itself.
class CountdownForm : public platform::forms::Form {
 public:
  explicit CountdownForm(int seconds) : Form("FCountdown"), m_remaining(seconds) {
    using namespace platform::forms;
    Caption_let("Power On/Off Delay");
    add<Label>("lblTitle").Caption_let("Power is now ON.");
    add<Label>("lblTimer");
    auto& ok = add<Button>("cmdContinue");
    ok.Caption_let("&Continue");
    ok.Default_let(true);
    ok.onClick([this] { answer(false); });
    auto& stop = add<Button>("cmdStop");
    stop.Caption_let("Stop &Test");
    stop.Cancel_let(true);
    stop.onClick([this] { answer(true); });
    auto& timer = add<Timer>("tmrCountdown");
    timer.onTimer([this] {
      if (--m_remaining != 0) {
        showRemaining();
      } else {
        get<Timer>("tmrCountdown").Enabled_let(false);
        answer(false);
      }
    });
    showRemaining();
    timer.Interval_let(1000);
  }

  bool Cancel_get() const { return m_cancel; }
  int remaining() const { return m_remaining; }

  static std::string countdownText(int seconds) {
    return "The test will automatically continue in " + std::to_string(seconds) + " seconds.";
  }

 private:
  void showRemaining() {
    get<platform::forms::Label>("lblTimer").Caption_let(countdownText(m_remaining));
  }
  void answer(bool cancel) {
    m_cancel = cancel;
    unload();
  }

  int m_remaining;
  bool m_cancel = false;
};
