#include "plugin/instrument/FCalibrate.h"

#include <array>

#include "driver/CTrxTestResult.h"
#include "driver/CTrxVti.h"
#include "host_api/HostServices.h"
#include "platform/ErrorBoundary.h"
#include "platform/forms/Button.h"
#include "platform/forms/FormTools.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/MessageBox.h"
#include "platform/forms/ProgressBar.h"
#include "platform/forms/Timer.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/instrument/MGlobalVTI.h"

namespace plugin {

namespace {
using namespace platform::forms;

constexpr int32_t LineCount = 3;
constexpr std::array<const char*, LineCount> DesignLines = {
    "20202::Please connect the RED 2-wire test lead jack to the nulling post and click OK to "
    "calibrate.",
    "20203::Calibrating test lead, please wait...",
    "20204::Disconnect the lead from the nulling post, reconnect to the DUT enclosure at desired "
    "points and click Continue"};
constexpr const char* CalibrateText = "20012::C&alibrate";
constexpr const char* CancelText = "2::&Cancel";
constexpr const char* SkipText = "20013::&Skip";
constexpr const char* ContinueText = "20010::C&ontinue";
constexpr const char* ReconnectText =
    "20204::Disconnect the lead from the PE reference point and reconnect to the DUT enclosure at "
    "desired points.";
constexpr const char* DoneSuffix = "20206:: - done";
constexpr const char* FailedLine1 = "20208::Calibrating test lead.";
constexpr const char* FailedLine2 =
    "20205::Calibration failed. Connect the test lead and retry calibration.";

std::string translate(const std::string& messageText) {
  return host_api::hostServices().application->Translate(PlugInId, messageText);
}

// Failures the operator has already been told of, or caused by stopping.
bool silentFailure(int32_t number) {
  return number == vti::errVTI_Error || number == vti::errVTI_UserAbort ||
         number == MPlugInErrors::errStopRun;
}
}  // namespace

FCalibrate::FCalibrate() : Form(kFormName) {
  Caption_let("20200::Test Lead Calibration");
  addControls();
}

std::string FCalibrate::StatusLabel(int32_t line) { return "lblStatus" + std::to_string(line); }

std::string FCalibrate::StatusImage(int32_t line) { return "imgStatus" + std::to_string(line); }

platform::forms::AnswerableForm FCalibrate::Answerable() {
  return {
      kFormName, {kCalibrate, kContinue}, {kHelp, StatusLabel(0), StatusLabel(1), StatusLabel(2)}};
}

void FCalibrate::addControls() {
  add<Label>(kHelp).Caption_let(
      "20201::Before performing a Resistance test you should zero the test lead.");
  std::vector<Layout> lines;
  for (int32_t line = 0; line < LineCount; ++line) {
    add<Image>(StatusImage(line));
    add<Label>(StatusLabel(line)).Caption_let(DesignLines[static_cast<size_t>(line)]);
    lines.push_back(
        Layout::row({Layout::control(StatusImage(line)), Layout::control(StatusLabel(line))}));
  }
  add<ProgressBar>(kProgress).Visible_let(false);
  auto& calibrate = add<Button>(kCalibrate);
  calibrate.Default_let(true);
  calibrate.onClick([this] { cmdCalibrate_Click(); });
  auto& proceed = add<Button>(kContinue);
  proceed.Cancel_let(true);
  proceed.onClick([this] { hide(); });
  auto& timer = add<Timer>(kTimer);
  timer.Enabled_let(false);
  timer.Interval_let(ProgressInterval);
  timer.onTimer([this] { tmrProgress_Timer(); });

  std::vector<Layout> parts = {Layout::control(kHelp)};
  parts.insert(parts.end(), lines.begin(), lines.end());
  parts.push_back(Layout::control(kProgress));
  parts.push_back(Layout::row({Layout::control(kCalibrate), Layout::control(kContinue)}));
  Layout_let(Layout::column(std::move(parts)));
}

void FCalibrate::Initialize() {
  // The host's inline helper would give this library a copy of a host type of its own.
  translateCaptions(*this, [](const std::string& text) { return translate(text); });
  ShowState(StateReady);
}

void FCalibrate::Display(platform::forms::Form* owner) { show(FormShow::Modal, owner); }

void FCalibrate::setLine(int32_t line, const std::string& messageText) {
  get<Label>(StatusLabel(line)).Caption_let(translate(messageText));
}

void FCalibrate::ShowState(int32_t state) {
  m_state = state;
  showTexts(state);
  get<Button>(kCalibrate).Enabled_let(state != StateDone);
  get<Button>(kContinue).Enabled_let(state != StateCalibrating);
  get<ProgressBar>(kProgress).Visible_let(state == StateCalibrating);
  showImages(state);
}

void FCalibrate::showTexts(int32_t state) {
  auto& calibrate = get<Button>(kCalibrate);
  auto& proceed = get<Button>(kContinue);
  switch (state) {
    case StateCalibrating:
      calibrate.Caption_let(translate(CancelText));
      setLine(1, DesignLines[1]);
      return;
    case StateDone: {
      auto& line1 = get<Label>(StatusLabel(1));
      // A translation without a comma is kept whole.
      const std::string shown = line1.Caption_get();
      line1.Caption_let(shown.substr(0, shown.find(',')) + translate(DoneSuffix));
      proceed.Caption_let(translate(ContinueText));
      setLine(2, ReconnectText);
      break;
    }
    case StateFailed:
      proceed.Caption_let(translate(SkipText));
      setLine(1, FailedLine1);
      setLine(2, FailedLine2);
      break;
    default:
      proceed.Caption_let(translate(SkipText));
      setLine(2, ReconnectText);
      break;
  }
  calibrate.Caption_let(translate(CalibrateText));
}

void FCalibrate::showImages(int32_t state) {
  for (int32_t line = 0; line < LineCount; ++line) {
    std::string picture;
    if (state == StateFailed) {
      picture = line == 0 ? ImageDone : line == 1 ? ImageFailed : ImageCurrent;
    } else if (line < state) {
      picture = ImageDone;
    } else if (line == state) {
      picture = ImageCurrent;
    }
    get<Image>(StatusImage(line)).Picture_let(picture);
  }
}

void FCalibrate::cmdCalibrate_Click() {
  if (m_state == StateCalibrating) {
    // Zeroing is not interrupted half-way: the request is honoured between driver calls.
    m_cancelRequested = true;
    return;
  }
  Calibrate();
}

void FCalibrate::Calibrate() {
  try {
    const bool success = calibrationSucceeded();
    get<Timer>(kTimer).Enabled_let(false);
    auto& progress = get<ProgressBar>(kProgress);
    progress.Value_let(progress.Max_get());
    ShowState(success ? StateDone : StateFailed);
  } catch (...) {
    handleFailure();
  }
}

bool FCalibrate::calibrationSucceeded() {
  ShowState(StateCalibrating);
  m_cancelRequested = false;
  get<ProgressBar>(kProgress).Value_let(0);
  get<Timer>(kTimer).Enabled_let(true);
  auto vti = MGlobalVTI::Driver();
  if (!vti) {
    vti = MGlobalVTI::OpenDriver(nullptr, nullptr);
    // A connection that could not be made has been reported by the driver already.
    if (!vti) throw platform::ComError(vti::errVTI_Error, kFormName, "No connection");
    m_openedDriver = true;
  }
  CheckCancel();
  vti->Calibrate();
  CheckCancel();
  const bool success = vti->TestResult_get()->State_get() == vti::etsCompleted;
  closeOwnDriver();
  CheckCancel();
  return success;
}

void FCalibrate::handleFailure() {
  const platform::ComError error = platform::CurrentError(kFormName);
  if (!silentFailure(error.number())) {
    platform::IgnoreErrors([&] {
      msgBox(error.description(), Caption_get(), MessageButtons::OK, MessageIcon::Exclamation,
             this);
    });
  }
  platform::IgnoreErrors([&] { closeOwnDriver(); });
  // A progress bar nobody sees needs no timer.
  get<Timer>(kTimer).Enabled_let(false);
  ShowState(StateReady);
}

void FCalibrate::CheckCancel() const {
  if (m_cancelRequested) {
    throw platform::ComError(MPlugInErrors::errStopRun, kFormName, "Calibration cancelled");
  }
}

void FCalibrate::tmrProgress_Timer() {
  auto& progress = get<ProgressBar>(kProgress);
  const int32_t value = progress.Value_get();
  if (!m_cancelRequested && value < progress.Max_get()) progress.Value_let(value + 1);
  if (m_cancelRequested && value > progress.Min_get()) progress.Value_let(value - 1);
}

void FCalibrate::closeOwnDriver() {
  if (!m_openedDriver) return;
  m_openedDriver = false;
  MGlobalVTI::CloseDriver(this);
}

}  // namespace plugin
