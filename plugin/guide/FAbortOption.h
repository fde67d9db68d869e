#pragma once

#include <cstdint>

#include "platform/forms/Form.h"

namespace plugin {

// Asks whether to abort the test; shown from the test guide's abort button. It stays on top of
// every window, because an operator who wants to abort must never have to look for the question.
class FAbortOption : public platform::forms::Form {
 public:
  static constexpr const char* kFormName = "FAbortOption";
  static constexpr const char* kYes = "cmdYes";
  static constexpr const char* kNo = "cmdNo";
  static constexpr const char* kQuestion = "lblQuestion";

  FAbortOption();

  // Shows the question modally over `frmOwner`; true when the operator answered Yes.
  bool QueryAbortTest(platform::forms::Form* frmOwner);

 private:
  // The message-box answers the question ends with: Yes 6, No 7.
  static constexpr int32_t kAnswerYes = 6;
  static constexpr int32_t kAnswerNo = 7;

  void answer(int32_t given);

  int32_t m_answer = kAnswerNo;
};

}  // namespace plugin
