#include <gtest/gtest.h>

#include "driver/FStopOnPC.h"
#include "driver/FWaitOnPC.h"
#include "platform/VirtualLoop.h"
#include "platform/forms/ScriptedScreen.h"
#include "support/TestHost.h"

using namespace vti;
using namespace platform::forms;
using namespace std::chrono_literals;

namespace {

struct PromptForms : ::testing::Test {
  platform::VirtualLoop ev;
  platform::LoopOverride useLoop{ev};
  testing_host::TestHost host;
  ScriptedScreen scripted;
  ScreenOverride useScreen{scripted};

  void answer(const std::string& form, const std::string& click, int afterMs = 0) {
    ScriptRule rule{form, "", "", {}};
    if (!click.empty()) {
      rule.steps.push_back({std::chrono::milliseconds(afterMs), ScriptAction::Click, click, ""});
    }
    scripted.addRule(rule);
  }
  bool sawText(const std::string& part) const {
    for (const auto& entry : scripted.journal()) {
      for (const auto& text : entry.texts) {
        if (text.find(part) != std::string::npos) return true;
      }
    }
    return false;
  }
};

}  // namespace

TEST_F(PromptForms, WaitBeforePowerOffWarnsAndStopCancels) {
  answer("FWaitOnPC", "cmdStop", 1500);
  FWaitOnPC form;
  form.WaitOnPC("21018::OFF", 4, nullptr, true);
  EXPECT_TRUE(form.Cancel_get());
  EXPECT_TRUE(sawText("lblTitle: DUT will switch off after 4 seconds."));
  EXPECT_TRUE(sawText("lblTimer: The test will automatically continue in 4 seconds."));
  // One tick happened before the operator stopped.
  EXPECT_EQ(form.remaining(), 3);
  EXPECT_EQ(ev.elapsed(), 1500ms);
}

TEST_F(PromptForms, WaitOfNoSecondsShowsNothing) {
  FWaitOnPC form;
  form.WaitOnPC("21017::ON", 0, nullptr);
  EXPECT_TRUE(scripted.journal().empty());
  EXPECT_FALSE(form.Cancel_get());
}

TEST_F(PromptForms, StopBeforeNamesTheComingChange) {
  answer("FStopOnPC", "cmdContinue");
  FStopOnPC offOnly;
  offOnly.ShowStopBefore(false, true, nullptr);
  FStopOnPC both;
  both.ShowStopBefore(true, true, nullptr);
  EXPECT_FALSE(both.Cancel_get());
  ASSERT_EQ(scripted.journal().size(), 2u);
  EXPECT_TRUE(sawText("will now change from ON to OFF. Perform"));
  EXPECT_TRUE(sawText("will now change from ON to OFF and then to ON again."));
  EXPECT_TRUE(sawText("Power configuration on Equpment Output is about to change"));
  // No countdown on a stop: the timer label stays hidden.
  for (const auto& entry : scripted.journal()) {
    for (const auto& text : entry.texts) EXPECT_EQ(text.find("lblTimer"), std::string::npos);
  }
}

TEST_F(PromptForms, StopAfterPowerOffSaysOff) {
  answer("FStopOnPC", "cmdStop");
  FStopOnPC form;
  form.ShowStopAfter(false, nullptr);
  EXPECT_TRUE(form.Cancel_get());
  EXPECT_TRUE(sawText("lblTitle: Power is now OFF."));
  EXPECT_TRUE(sawText("is now set to OFF. Perform"));
}

TEST_F(PromptForms, SkipOnTheNoResistancePromptIsNeitherContinueNorStop) {
  answer("FStopOnPC", "cmdSkip", 3500);
  FStopOnPC form;
  form.ShowSkip();
  form.ShowNoResistance(nullptr);
  EXPECT_EQ(form.Answer_get(), FPowerPrompt::Answer::Skip);
  EXPECT_FALSE(form.Cancel_get());
  EXPECT_EQ(form.remaining(), 27);
}

TEST_F(PromptForms, NoResistancePromptLeftAloneEndsAsTimeUpNotAsContinue) {
  answer("FStopOnPC", "");
  FStopOnPC form;
  form.ShowSkip();
  form.ShowNoResistance(nullptr);
  EXPECT_EQ(form.Answer_get(), FPowerPrompt::Answer::TimeUp);
  EXPECT_FALSE(form.Cancel_get());
  EXPECT_EQ(ev.elapsed(), 30s);
}
