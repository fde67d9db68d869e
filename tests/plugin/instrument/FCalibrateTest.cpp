#include <gtest/gtest.h>

#include <algorithm>

#include "InstrumentTestSupport.h"
#include "driver/CTrxVti.h"
#include "platform/forms/AnswersCheck.h"
#include "platform/forms/Button.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/ProgressBar.h"
#include "plugin/instrument/FCalibrate.h"

using namespace plugin;
using namespace instrument_test;
using platform::forms::Button;
using platform::forms::Image;
using platform::forms::Label;

namespace {

class Calibration {
 public:
  explicit Calibration(sim::Scenario scenario = sim::Scenario::load("healthy"))
      : bench(std::move(scenario)) {
    bench.sim().assignPort();
    form.Initialize();
  }

  SimAnalyzer& sim() { return bench.sim(); }
  std::string line(int32_t n) const {
    return form.get<Label>(FCalibrate::StatusLabel(n)).Caption_get();
  }
  std::string image(int32_t n) const {
    return form.get<Image>(FCalibrate::StatusImage(n)).Picture_get();
  }
  Button& button(const char* name) const { return form.get<Button>(name); }
  // Whether the analyzer answered the zeroing before it received anything else.
  bool zeroingAnswered() {
    const auto& entries = sim().analyzer().transcript().entries();
    auto zero = std::find_if(entries.begin(), entries.end(), [](const auto& entry) {
      return entry.direction == "in" && entry.text == "ZERO\r\n";
    });
    if (zero == entries.end()) return false;
    auto next = std::find_if(std::next(zero), entries.end(),
                             [](const auto& entry) { return entry.direction != "note"; });
    return next != entries.end() && next->direction == "out";
  }

  SimulatedBench bench;
  FCalibrate form;
};

}  // namespace

TEST(FCalibrate, ShowsTheReadyStateAndSkippingLeavesTheLeadUncalibrated) {
  Calibration calibration;
  auto& form = calibration.form;
  EXPECT_EQ(form.Caption_get(), "Test Lead Calibration");
  EXPECT_EQ(calibration.button(FCalibrate::kCalibrate).Caption_get(), "C&alibrate");
  EXPECT_EQ(calibration.button(FCalibrate::kContinue).Caption_get(), "&Skip");
  EXPECT_EQ(calibration.line(2),
            "Disconnect the lead from the PE reference point and reconnect to the DUT enclosure "
            "at desired points.");
  EXPECT_EQ(calibration.image(0), FCalibrate::ImageCurrent);
  EXPECT_EQ(calibration.image(1), "");
  EXPECT_FALSE(form.get<platform::forms::ProgressBar>(FCalibrate::kProgress).Visible_get());

  calibration.sim().answer("FCalibrate: click cmdContinue");
  form.Display();
  EXPECT_FALSE(form.Visible_get());
  EXPECT_TRUE(form.Cancel_get());
  EXPECT_TRUE(calibration.sim().commands().empty());
}

TEST(FCalibrate, ASuccessfulZeroingShowsTheDoneStateAndClosesTheConnectionItOpened) {
  Calibration calibration;
  calibration.sim().answer("FCalibrate: click cmdCalibrate, click cmdContinue");
  calibration.form.Display();

  EXPECT_FALSE(calibration.form.Cancel_get());
  EXPECT_EQ(calibration.form.State_get(), FCalibrate::StateDone);
  EXPECT_TRUE(calibration.zeroingAnswered());
  EXPECT_EQ(calibration.line(1), "Calibrating test lead - done");
  EXPECT_EQ(calibration.button(FCalibrate::kContinue).Caption_get(), "C&ontinue");
  EXPECT_FALSE(calibration.button(FCalibrate::kCalibrate).Enabled_get());
  EXPECT_EQ(calibration.image(0), FCalibrate::ImageDone);
  EXPECT_EQ(calibration.image(1), FCalibrate::ImageDone);
  EXPECT_EQ(calibration.image(2), FCalibrate::ImageCurrent);
  auto& progress = calibration.form.get<platform::forms::ProgressBar>(FCalibrate::kProgress);
  EXPECT_EQ(progress.Value_get(), progress.Max_get());
  EXPECT_FALSE(progress.Visible_get());
  // The form opened the connection for itself, so it closed it again.
  EXPECT_FALSE(MGlobalVTI::Driver());
  EXPECT_TRUE(calibration.sim().analyzerLocalAndOff());
}

TEST(FCalibrate, AConnectionOpenedByTheRunStaysOpen) {
  Calibration calibration;
  auto vti = MGlobalVTI::OpenDriver(nullptr, nullptr);
  ASSERT_TRUE(vti);
  calibration.sim().answer("FCalibrate: click cmdCalibrate, click cmdContinue");
  calibration.form.Display();
  EXPECT_FALSE(calibration.form.Cancel_get());
  EXPECT_EQ(MGlobalVTI::Driver(), vti);
  EXPECT_EQ(vti->State_get(), vti::evsIdle);
}

TEST(FCalibrate, ALeadThatCannotBeZeroedShowsTheFailedState) {
  Calibration calibration(SimAnalyzer::withFaults("healthy", {{"ZERO", "!32"}}));
  calibration.sim().answer("FCalibrate: click cmdCalibrate, click cmdContinue");
  calibration.form.Display();

  EXPECT_TRUE(calibration.form.Cancel_get());
  EXPECT_EQ(calibration.form.State_get(), FCalibrate::StateFailed);
  EXPECT_EQ(calibration.line(1), "Calibrating test lead.");
  EXPECT_EQ(calibration.line(2),
            "Calibration failed. Connect the test lead and retry calibration.");
  EXPECT_EQ(calibration.button(FCalibrate::kContinue).Caption_get(), "&Skip");
  EXPECT_TRUE(calibration.button(FCalibrate::kCalibrate).Enabled_get());
  EXPECT_EQ(calibration.image(1), FCalibrate::ImageFailed);
  EXPECT_EQ(calibration.image(2), FCalibrate::ImageCurrent);
  EXPECT_TRUE(calibration.sim().analyzerLocalAndOff());
}

TEST(FCalibrate, ARetryAfterAFailureCanSucceed) {
  Calibration calibration(SimAnalyzer::withFaults("healthy", {{"ZERO #1", "!32"}}));
  calibration.sim().answer("FCalibrate: click cmdCalibrate, click cmdCalibrate, click cmdContinue");
  calibration.form.Display();
  EXPECT_FALSE(calibration.form.Cancel_get());
  EXPECT_EQ(calibration.sim().count("ZERO"), 2);
}

TEST(FCalibrate, ACancelRequestWaitsForTheZeroingToEnd) {
  // The zeroing takes a while; the operator asks to cancel as soon as it has begun.
  Calibration calibration(SimAnalyzer::withFaults("healthy", {{"ZERO", "late 2000 ms"}}));
  auto& loop = calibration.sim().loop();
  bool asked = false;
  auto poll = loop.startRepeating(std::chrono::milliseconds(10), [&] {
    const auto commands = calibration.sim().commands();
    if (!asked && std::find(commands.begin(), commands.end(), "ZERO") != commands.end()) {
      asked = true;
      EXPECT_EQ(calibration.button(FCalibrate::kCalibrate).Caption_get(), "&Cancel");
      EXPECT_FALSE(calibration.button(FCalibrate::kContinue).Enabled_get());
      calibration.button(FCalibrate::kCalibrate).click();
    }
  });
  calibration.sim().answer("FCalibrate: click cmdCalibrate, click cmdContinue");
  calibration.form.Display();
  loop.stopTimer(poll);

  ASSERT_TRUE(asked);
  EXPECT_TRUE(calibration.zeroingAnswered()) << "the zeroing was cut short";
  EXPECT_TRUE(calibration.form.Cancel_get());
  EXPECT_EQ(calibration.form.State_get(), FCalibrate::StateReady);
  // Cancelled silently: no message, and the connection the form opened is closed again.
  EXPECT_EQ(calibration.sim().formsShown(), std::vector<std::string>{"FCalibrate"});
  EXPECT_FALSE(MGlobalVTI::Driver());
  EXPECT_TRUE(calibration.sim().analyzerLocalAndOff());
}

TEST(FCalibrate, WithoutAnAnalyzerTheFormReturnsToTheReadyState) {
  Calibration calibration;
  calibration.sim().host().registry().set("Software\\Tavik\\orvel\\Instruments\\TRX440", "Port",
                                          "0");
  calibration.sim().answer("FCalibrate: click cmdCalibrate, click cmdContinue");
  calibration.form.Display();
  EXPECT_TRUE(calibration.form.Cancel_get());
  EXPECT_EQ(calibration.form.State_get(), FCalibrate::StateReady);
  EXPECT_EQ(calibration.sim().formsShown(), std::vector<std::string>{"FCalibrate"});
}

TEST(FCalibrate, AnswersFilesMayNameItsButtons) {
  platform::forms::AnswersCheck check({FCalibrate::Answerable()});
  EXPECT_FALSE(check.problem(
      {"FCalibrate", "", "", {{{}, platform::forms::ScriptAction::Click, "cmdCalibrate", ""}}}));
  EXPECT_TRUE(check.problem(
      {"FCalibrate", "", "", {{{}, platform::forms::ScriptAction::Click, "cmdOK", ""}}}));
}
