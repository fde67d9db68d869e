#pragma once

#include <cstdint>
#include <memory>

#include "host_api/IResultData.h"
#include "platform/forms/Form.h"
#include "plugin/results/XResultECG.h"

namespace plugin {

// The operator's verdict on the ECG simulation: the checks of the result so far, and Repeat,
// Pass or Fail.
class FECGResult : public platform::forms::Form {
 public:
  static constexpr const char* FormName = "FECGResult";
  static constexpr int32_t AnswerRepeat = 2;
  static constexpr int32_t AnswerPass = 4;
  static constexpr int32_t AnswerFail = 5;

  FECGResult();
  ~FECGResult() override;

  // The result whose checks the form shows (null: none).
  void Initialize(const std::shared_ptr<host_api::IResultData>& result);
  // Shows the form modally and returns the answer: 2 repeat, 4 pass, 5 fail. Closing the form
  // any other way counts as a repeat: nothing was judged.
  int32_t Display(platform::forms::Form* owner = nullptr);
  int32_t Answer_get() const { return m_answer; }

 private:
  void answer(int32_t value);

  XResultECG m_view;
  int32_t m_answer = AnswerRepeat;
};

}  // namespace plugin
