#pragma once

#include <cstdint>
#include <string>

#include "platform/MessageText.h"
#include "platform/forms/Form.h"

namespace vti {

// What the power-change prompts share: the Continue and Stop Test buttons, the answer, the
// one-second countdown that continues by itself at 0, translation of the texts and placement
// above the host's test guide when the host keeps that on top.
class FPowerPrompt : public platform::forms::Form {
 public:
  // The state the outlet's power goes to, as the prompts name it.
  static constexpr const char* kPowerOn = "21017::ON";
  static constexpr const char* kPowerOff = "21018::OFF";

  // The controls every prompt has that an answers file can name.
  static constexpr const char* kContinue = "cmdContinue";
  static constexpr const char* kStop = "cmdStop";
  static constexpr const char* kTitle = "lblTitle";
  static constexpr const char* kBody = "lblBody";
  static constexpr const char* kTimer = "lblTimer";

  // How the prompt ended. A countdown that ran out is told apart from Continue because not
  // every prompt takes it as Continue (the no-resistance prompt takes it as Skip).
  enum class Answer : uint8_t { Unanswered, Continue, Skip, TimeUp, Stop };

  Answer Answer_get() const { return m_answer; }
  // True when the operator clicked Stop Test.
  bool Cancel_get() const { return m_answer == Answer::Stop; }
  int32_t remaining() const { return m_remaining; }

 protected:
  explicit FPowerPrompt(std::string name);

  // Adds the buttons and the timer; call after the form's own controls so the buttons come
  // last, then translate the captions once.
  void addButtonsAndTimer();
  void translateCaptions();

  // Sets a label to a translated message.
  void setText(const char* control, const std::string& messageText,
               const platform::Parameters& params = {});
  // Shows `seconds` in the timer label; startCountdown also starts counting down.
  void setRemaining(int32_t seconds);
  void startCountdown(int32_t seconds);
  // Shows the form modally above `owner`, topmost when the test guide is kept on top.
  void showModal(platform::forms::Form* owner);

  // Records the answer, stops the countdown and hides the form.
  void answer(Answer given);

  static std::string translate(const std::string& messageText,
                               const platform::Parameters& params = {});

 private:
  void tick();
  void showRemaining();

  Answer m_answer = Answer::Unanswered;
  int32_t m_remaining = 0;
};

}  // namespace vti
