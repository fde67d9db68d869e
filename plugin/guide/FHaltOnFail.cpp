#include "plugin/guide/FHaltOnFail.h"

#include "host_api/ITestInformation.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/Timer.h"
#include "plugin/config/CCfgButtonOptions.h"
#include "plugin/guide/MDialogTools.h"
#include "plugin/guide/MReadingText.h"
#include "plugin/results/CMeasurement.h"

namespace plugin {

namespace {

using namespace platform::forms;

constexpr const char* kTimer = "tmrCountdown";
constexpr const char* kCountdownText =
    "20030::The test will automatically continue in %%1 seconds.";
constexpr const char* kOptionGroup = "action";

std::string testName(const std::shared_ptr<host_api::ITestElement>& element) {
  auto info = element ? element->Info_get() : nullptr;
  return info ? MDialogTools::Translate(info->Name_get()) : std::string();
}

}  // namespace

FHaltOnFail::FHaltOnFail() : Form(kFormName) {
  build();
  MDialogTools::TranslateCaptions(*this);
  get<OptionButton>(kSave).Value_let(true);
  showRemaining();
}

void FHaltOnFail::build() {
  Caption_let(MDialogTools::WindowTitle);
  add<Label>(kTitle).Caption_let("20220::Safety Test Failed");
  add<Label>(kMessage);
  add<Label>(kValueCaption).Caption_let("20227::Measured value:");
  add<Label>(kValue);
  add<Label>(kLimitCaption).Caption_let("20228::Limit:");
  add<Label>(kLimit);
  add<Label>(kQuestion).Caption_let("20222::What do you want to do:");
  addOption(kSave, "20223::&Save test result and continue Auto Sequence");
  addOption(kDiscard, "20225::&Discard test result and continue Auto Sequence");
  addOption(kRepeat, "20226::&Repeat the test");
  auto& useOnAll = add<CheckBox>(kUseOnAll);
  useOnAll.onClick([this] { stopCountdown(); });
  auto& label = add<Label>(kUseOnAllLabel);
  label.Caption_let("20224::Use on all subsequent tests");
  // The label belongs to the check box: clicking it clicks the box.
  label.onClick([this] { get<CheckBox>(kUseOnAll).click(); });
  add<Label>(kCountdown);
  addButtons();
  Layout_let(Layout::column({
      Layout::control(kTitle),
      Layout::control(kMessage),
      Layout::row({Layout::control(kValueCaption), Layout::control(kValue)}),
      Layout::row({Layout::control(kLimitCaption), Layout::control(kLimit)}),
      Layout::control(kQuestion),
      Layout::control(kSave),
      Layout::control(kDiscard),
      Layout::control(kRepeat),
      Layout::row({Layout::control(kUseOnAll), Layout::control(kUseOnAllLabel)}),
      Layout::control(kCountdown),
      Layout::row({Layout::control(kContinue), Layout::control(kStop)}),
  }));
}

void FHaltOnFail::addOption(const char* name, const char* caption) {
  auto& option = add<OptionButton>(name);
  option.Caption_let(caption);
  option.Group_let(kOptionGroup);
  option.onChange([this] { optionChosen(); });
  option.onClick([this] { stopCountdown(); });
}

void FHaltOnFail::addButtons() {
  auto& proceedButton = add<Button>(kContinue);
  proceedButton.Caption_let(MDialogTools::ContinueCaption);
  proceedButton.Default_let(true);
  proceedButton.onClick([this] { proceed(); });
  auto& stopButton = add<Button>(kStop);
  stopButton.Caption_let(MDialogTools::StopCaption);
  stopButton.Cancel_let(true);
  stopButton.onClick([this] { stop(); });
  auto& timer = add<Timer>(kTimer);
  timer.Enabled_let(false);
  timer.Interval_let(1000);
  timer.onTimer([this] { tick(); });
}

void FHaltOnFail::Initialize(const std::shared_ptr<host_api::ITestElement>& element,
                             const std::shared_ptr<host_api::IMeasurement>& measurement,
                             const std::shared_ptr<CCfgButtonOptions>& buttons) {
  auto standard = MReadingText::FailedStandard(element, measurement);
  auto record = std::dynamic_pointer_cast<CMeasurement>(measurement);
  std::string standardName = standard ? standard->Name_get() : std::string();
  if (standardName.empty() && record) standardName = record->FailedLimitSet_get();
  MDialogTools::SetLabel(*this, kMessage,
                         "20221::The %%1 test compromised the limit specified in the standard "
                         "%%2.",
                         {testName(element), standardName});
  get<Label>(kValue).Caption_let(measurement ? MReadingText::ReadingWithUnit(*measurement) : "");
  std::optional<MReadingText::ShownLimit> limit;
  if (record && standard) limit = MReadingText::ViolatedLimit(*record, *standard);
  get<Label>(kLimit).Caption_let(limit ? MReadingText::LimitText(*limit) : "");
  get<Label>(kLimitCaption).Visible_let(limit.has_value());
  get<Label>(kLimit).Visible_let(limit.has_value());

  auto& discard = get<OptionButton>(kDiscard);
  discard.Enabled_let(!buttons || buttons->EnableSkip_get());
  if (!discard.Enabled_get() && discard.Value_get()) get<OptionButton>(kSave).Value_let(true);
}

int32_t FHaltOnFail::Display(platform::forms::Form* owner) {
  m_answer = selectedOption();
  m_useOnAll = false;
  m_remaining = kCountdownSeconds;
  showRemaining();
  get<Label>(kCountdown).Visible_let(true);
  get<Timer>(kTimer).Enabled_let(true);
  try {
    MDialogTools::ShowOverGuide(*this, owner);
  } catch (...) {
    stopCountdown();
    throw;
  }
  stopCountdown();
  return m_answer;
}

bool FHaltOnFail::countdownRunning() const { return get<Timer>(kTimer).running(); }

int32_t FHaltOnFail::selectedOption() const {
  if (get<OptionButton>(kRepeat).Value_get()) return AnswerRepeat;
  if (get<OptionButton>(kDiscard).Value_get()) return AnswerDiscard;
  return AnswerSave;
}

void FHaltOnFail::optionChosen() {
  // Keeping the answer for later failures is offered for saving only: repeating or discarding
  // every later failure unasked would hide failures from the operator.
  const bool saving = selectedOption() == AnswerSave;
  get<CheckBox>(kUseOnAll).Enabled_let(saving);
  get<Label>(kUseOnAllLabel).Enabled_let(saving);
}

void FHaltOnFail::stopCountdown() {
  get<Timer>(kTimer).Enabled_let(false);
  // A frozen "continues in n seconds" would tell the operator something that no longer holds.
  get<Label>(kCountdown).Visible_let(false);
}

void FHaltOnFail::tick() {
  if (--m_remaining > 0) {
    showRemaining();
    return;
  }
  // Nobody answered: the run goes on as if Continue had been pressed.
  proceed();
}

void FHaltOnFail::showRemaining() {
  MDialogTools::SetLabel(*this, kCountdown, kCountdownText, {m_remaining});
}

void FHaltOnFail::proceed() {
  m_answer = selectedOption();
  // The box only counts while it is offered (saving selected): a box ticked before the operator
  // switched to discarding or repeating must not let every later failure be saved unasked.
  m_useOnAll =
      m_answer == AnswerSave && get<CheckBox>(kUseOnAll).Value_get() == platform::forms::vbChecked;
  stopCountdown();
  hide();
}

void FHaltOnFail::stop() {
  m_answer = AnswerStop;
  m_useOnAll = false;
  stopCountdown();
  hide();
}

}  // namespace plugin
