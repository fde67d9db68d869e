#pragma once

#include <cstdint>
#include <memory>

#include "host_api/IMeasurement.h"
#include "host_api/ITestElement.h"
#include "platform/forms/Form.h"

namespace plugin {

class CCfgButtonOptions;

// Asks what to do after a reading failed its limit: save the result and go on, discard it and go
// on, repeat the test, or stop. Nobody may be at the bench, so the dialog goes on by itself with
// the selected option after a countdown of 90 seconds; any choice the operator makes stops the
// countdown, so a considered answer is never taken away by the clock.
class FHaltOnFail : public platform::forms::Form {
 public:
  static constexpr const char* kFormName = "FHaltOnFail";
  // The answers of Display.
  static constexpr int32_t AnswerSave = 0;
  static constexpr int32_t AnswerDiscard = 1;
  static constexpr int32_t AnswerRepeat = 2;
  static constexpr int32_t AnswerStop = 3;
  static constexpr int32_t kCountdownSeconds = 90;

  // Controls an answers file can name.
  static constexpr const char* kSave = "optSave";
  static constexpr const char* kDiscard = "optDiscard";
  static constexpr const char* kRepeat = "optRepeat";
  static constexpr const char* kUseOnAll = "chkUseOnAll";
  static constexpr const char* kContinue = "cmdContinue";
  static constexpr const char* kStop = "cmdStop";
  // Texts.
  static constexpr const char* kTitle = "lblTitle";
  static constexpr const char* kMessage = "lblMessage";
  static constexpr const char* kValueCaption = "lblValueCaption";
  static constexpr const char* kValue = "lblValue";
  static constexpr const char* kLimitCaption = "lblLimitCaption";
  static constexpr const char* kLimit = "lblLimit";
  static constexpr const char* kQuestion = "lblQuestion";
  static constexpr const char* kUseOnAllLabel = "lblUseOnAll";
  static constexpr const char* kCountdown = "lblCountdown";

  FHaltOnFail();

  // Shows which test failed which standard's limit with what reading. With `buttons`, Discard is
  // offered only when they allow skipping a test.
  void Initialize(const std::shared_ptr<host_api::ITestElement>& element,
                  const std::shared_ptr<host_api::IMeasurement>& measurement,
                  const std::shared_ptr<CCfgButtonOptions>& buttons);
  // Runs the countdown and shows the dialog modally; 0 save, 1 discard, 2 repeat, 3 stop.
  int32_t Display(platform::forms::Form* owner = nullptr);
  // Whether the operator asked to save and continue on every later failure without asking.
  bool UseOnAll_get() const { return m_useOnAll; }

  int32_t remaining() const { return m_remaining; }
  bool countdownRunning() const;

 private:
  void build();
  void addOption(const char* name, const char* caption);
  void addButtons();
  int32_t selectedOption() const;
  void optionChosen();
  void stopCountdown();
  void tick();
  void showRemaining();
  void proceed();
  void stop();

  int32_t m_answer = AnswerSave;
  bool m_useOnAll = false;
  int32_t m_remaining = kCountdownSeconds;
};

}  // namespace plugin
