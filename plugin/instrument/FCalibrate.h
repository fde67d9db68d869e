#pragma once

#include <cstdint>
#include <string>

#include "platform/forms/AnswerableForm.h"
#include "platform/forms/Form.h"

namespace plugin {

// Guides the operator through zeroing the resistance test lead on the analyzer's nulling post:
// explains the steps, runs the driver's lead calibration with a moving progress bar, shows the
// outcome, and tells the caller through Cancel_get whether the lead is now calibrated.
class FCalibrate : public platform::forms::Form {
 public:
  static constexpr const char* kFormName = "FCalibrate";
  // The controls an answers file can name.
  static constexpr const char* kCalibrate = "cmdCalibrate";
  static constexpr const char* kContinue = "cmdContinue";
  static constexpr const char* kHelp = "lblHelp";
  static constexpr const char* kProgress = "pbrProgress";
  static constexpr const char* kTimer = "tmrProgress";

  // The shown state.
  static constexpr int32_t StateReady = 0;
  static constexpr int32_t StateCalibrating = 1;
  static constexpr int32_t StateDone = 2;
  static constexpr int32_t StateFailed = 3;

  // Picture resources of the status lines.
  static constexpr const char* ImageDone = "PROG:CHECK";
  static constexpr const char* ImageCurrent = "PROG:RUNNING";
  static constexpr const char* ImageFailed = "PROG:FAILED";

  // Milliseconds between steps of the progress bar while the lead is zeroed.
  static constexpr int32_t ProgressInterval = 100;

  FCalibrate();

  // Translates the captions and shows the ready state.
  void Initialize();
  // Shows the form modally above `owner` until the operator leaves it.
  void Display(platform::forms::Form* owner = nullptr);
  // False only when the lead was calibrated (the done state is shown).
  bool Cancel_get() const { return m_state != StateDone; }
  int32_t State_get() const { return m_state; }

  // The name of status line `line` (0 to 2) and of its image.
  static std::string StatusLabel(int32_t line);
  static std::string StatusImage(int32_t line);
  // The form as an answers file can name it.
  static platform::forms::AnswerableForm Answerable();

 private:
  void addControls();
  void ShowState(int32_t state);
  void showTexts(int32_t state);
  void showImages(int32_t state);
  void setLine(int32_t line, const std::string& messageText);
  void cmdCalibrate_Click();
  void Calibrate();
  // Runs the calibration steps; true when the lead was zeroed.
  bool calibrationSucceeded();
  void handleFailure();
  void CheckCancel() const;
  void tmrProgress_Timer();
  void closeOwnDriver();

  int32_t m_state = StateReady;
  bool m_cancelRequested = false;
  bool m_openedDriver = false;
};

}  // namespace plugin
