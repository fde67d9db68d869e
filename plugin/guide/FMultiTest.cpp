#include "plugin/guide/FMultiTest.h"

#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Label.h"
#include "plugin/guide/MDialogTools.h"
#include "plugin/guide/MReadingText.h"
#include "plugin/results/CMeasurement.h"

namespace plugin {

namespace {
using namespace platform::forms;
// Resistance readings are shown to the milliohm, whatever the record's own format.
constexpr const char* kResistanceFormat = "0.000";
}  // namespace

FMultiTest::FMultiTest() : Form(kFormName) {
  build();
  MDialogTools::TranslateCaptions(*this);
}

void FMultiTest::build() {
  Caption_let(MDialogTools::WindowTitle);
  add<Label>(kTitle).Caption_let("20230::Multiple Test Points");
  add<Label>(kHeading).Caption_let("20231::Multiple Protective Earth Resistance Test. ");
  add<Label>(kInstruction)
      .Caption_let(
          "20232::Connect the lead from the red PE test point to the DUT enclosure at desired "
          "points and click Repeat to repeat the Protective Earth Resistance test.");
  add<Label>(kLast).Caption_let("20233::Last:");
  add<Label>(kLastValue);
  add<CheckBox>(kKeepResults).Caption_let("20234::&Keep the previous results");
  addButton(kContinue, MDialogTools::ContinueCaption, AnswerContinue);
  addButton(kRepeat, "20014::&Repeat", AnswerRepeat);
  addButton(kStop, MDialogTools::StopCaption, AnswerStop);
  get<Button>(kContinue).Default_let(true);
  get<Button>(kStop).Cancel_let(true);
  Layout_let(Layout::column({
      Layout::control(kTitle),
      Layout::control(kHeading),
      Layout::control(kInstruction),
      Layout::row({Layout::control(kLast), Layout::control(kLastValue)}),
      Layout::control(kKeepResults),
      Layout::row({Layout::control(kContinue), Layout::control(kRepeat), Layout::control(kStop)}),
  }));
}

void FMultiTest::addButton(const char* name, const char* caption, int32_t answer) {
  auto& button = add<Button>(name);
  button.Caption_let(caption);
  button.onClick([this, answer] {
    m_answer = answer;
    hide();
  });
}

void FMultiTest::Initialize(const std::shared_ptr<host_api::ITestElement>& element,
                            const std::shared_ptr<host_api::IMeasurement>& measurement,
                            bool keepResults) {
  std::string last =
      measurement ? MReadingText::ReadingWithUnit(*measurement, kResistanceFormat) : "";
  auto record = std::dynamic_pointer_cast<CMeasurement>(measurement);
  if (auto standard = MReadingText::JudgingStandard(element, measurement); standard && record) {
    if (auto limit = MReadingText::ViolatedLimit(*record, *standard)) {
      last += "  (" + MReadingText::LimitText(*limit) + ")";
    }
  }
  get<Label>(kLastValue).Caption_let(last);
  get<CheckBox>(kKeepResults).Value_let(keepResults ? vbChecked : vbUnchecked);
}

int32_t FMultiTest::Display(platform::forms::Form* owner) {
  m_answer = AnswerContinue;
  MDialogTools::ShowOverGuide(*this, owner);
  return m_answer;
}

bool FMultiTest::KeepResults_get() const {
  return get<CheckBox>(kKeepResults).Value_get() == vbChecked;
}

}  // namespace plugin
