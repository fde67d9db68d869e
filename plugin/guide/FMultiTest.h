#pragma once

#include <cstdint>
#include <memory>

#include "host_api/IMeasurement.h"
#include "host_api/ITestElement.h"
#include "platform/forms/Form.h"

namespace plugin {

// After a protective-earth reading: shows the last reading against its limit and asks whether
// to measure at a further point of the enclosure (repeat), go on with the next test, or stop.
// The operator also decides whether a repeated reading is kept beside the earlier ones.
class FMultiTest : public platform::forms::Form {
 public:
  static constexpr const char* kFormName = "FMultiTest";
  static constexpr int32_t AnswerContinue = 0;
  static constexpr int32_t AnswerRepeat = 2;
  static constexpr int32_t AnswerStop = 3;

  static constexpr const char* kContinue = "cmdContinue";
  static constexpr const char* kRepeat = "cmdRepeat";
  static constexpr const char* kStop = "cmdStop";
  static constexpr const char* kKeepResults = "chkKeepResults";
  static constexpr const char* kTitle = "lblTitle";
  static constexpr const char* kHeading = "lblHeading";
  static constexpr const char* kInstruction = "lblInstruction";
  static constexpr const char* kLast = "lblLast";
  static constexpr const char* kLastValue = "lblLastValue";

  FMultiTest();

  // Shows the reading of `measurement` and presets the keep-results check box.
  void Initialize(const std::shared_ptr<host_api::ITestElement>& element,
                  const std::shared_ptr<host_api::IMeasurement>& measurement, bool keepResults);
  // Shows the dialog modally; 0 continue, 2 repeat, 3 stop.
  int32_t Display(platform::forms::Form* owner = nullptr);
  // The keep-results check box as the operator left it.
  bool KeepResults_get() const;

 private:
  void build();
  void addButton(const char* name, const char* caption, int32_t answer);

  int32_t m_answer = AnswerContinue;
};

}  // namespace plugin
