#include <gtest/gtest.h>

#include "DialogsTestSupport.h"

#include "host_api/TestGuideSettings.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/OptionButton.h"
#include "plugin/config/CCfgButtonOptions.h"
#include "plugin/guide/FHaltOnFail.h"

using namespace std::chrono_literals;
using platform::forms::CheckBox;
using platform::forms::Label;
using platform::forms::OptionButton;
using plugin::FHaltOnFail;

namespace {

struct HaltOnFail : ::testing::Test, dialogs_test::DialogFixture {
  std::shared_ptr<dialogs_test::NamedElement> element =
      std::make_shared<dialogs_test::NamedElement>("Protective Earth");
  FHaltOnFail form;

  HaltOnFail() { element->limits->addStandard(4, "::ST", "Ohm", "0.3"); }

  // A reading of 0.512 Ohm, over the limit, offered with `buttons`.
  void initialize(const std::shared_ptr<plugin::CCfgButtonOptions>& buttons = nullptr) {
    form.Initialize(element, dialogs_test::resistanceReading(*element, 0.512f), buttons);
  }
  bool checkBoxOffered() const {
    return form.get<CheckBox>(FHaltOnFail::kUseOnAll).Enabled_get() &&
           form.get<Label>(FHaltOnFail::kUseOnAllLabel).Enabled_get();
  }
};

}  // namespace

TEST_F(HaltOnFail, LeftAloneItContinuesAfterNinetySecondsWithTheSelectedOption) {
  answer("FHaltOnFail", {});
  initialize();
  EXPECT_EQ(form.Display(), FHaltOnFail::AnswerSave);
  EXPECT_FALSE(form.UseOnAll_get());
  EXPECT_EQ(ev.elapsed(), 90s);
  EXPECT_TRUE(shown("lblCountdown: The test will automatically continue in 90 seconds."));
  EXPECT_FALSE(form.countdownRunning());
}

TEST_F(HaltOnFail, TheCountdownCountsEverySecondWhileTheOperatorThinks) {
  answer("FHaltOnFail", {{30'500, "cmdContinue"}});
  initialize();
  form.Display();
  // Thirty ticks of one second each happened before Continue.
  EXPECT_EQ(form.remaining(), 60);
  EXPECT_EQ(ev.elapsed(), 30500ms);
}

TEST_F(HaltOnFail, StopTestAnswersThreeAndDoesNotKeepTheAnswerForLaterFailures) {
  answer("FHaltOnFail", {{1000, "chkUseOnAll"}, {1000, "cmdStop"}});
  initialize();
  EXPECT_EQ(form.Display(), FHaltOnFail::AnswerStop);
  EXPECT_FALSE(form.UseOnAll_get());
}

TEST_F(HaltOnFail, ContinueWithTheBoxTickedSavesThisAndEveryLaterFailure) {
  answer("FHaltOnFail", {{1000, "chkUseOnAll"}, {1000, "cmdContinue"}});
  initialize();
  EXPECT_EQ(form.Display(), FHaltOnFail::AnswerSave);
  EXPECT_TRUE(form.UseOnAll_get());
}

TEST_F(HaltOnFail, DiscardIsOfferedOnlyWhenTheButtonsAllowSkipping) {
  auto noSkip = std::make_shared<plugin::CCfgButtonOptions>();
  noSkip->EnableSkip_let(false);
  answer("FHaltOnFail", {{1000, "optDiscard"}});
  initialize(noSkip);
  // The scripted operator cannot click the disabled option; the dialog goes away with its
  // countdown stopped, so nothing answers for anybody later.
  EXPECT_THROW(form.Display(), platform::ComError);
  EXPECT_NE(scripted.journal().front().answer.find("disabled"), std::string::npos);
  EXPECT_FALSE(form.Visible_get());
  EXPECT_FALSE(form.countdownRunning());

  FHaltOnFail withSkip;
  withSkip.Initialize(element, dialogs_test::resistanceReading(*element, 0.5f),
                      std::make_shared<plugin::CCfgButtonOptions>());
  EXPECT_TRUE(withSkip.get<OptionButton>(FHaltOnFail::kDiscard).Enabled_get());
  FHaltOnFail noButtons;
  noButtons.Initialize(element, dialogs_test::resistanceReading(*element, 0.5f), nullptr);
  EXPECT_TRUE(noButtons.get<OptionButton>(FHaltOnFail::kDiscard).Enabled_get());
}

TEST_F(HaltOnFail, DiscardAnswersOneWhenSkippingIsAllowed) {
  answer("FHaltOnFail", {{1000, "optDiscard"}, {1000, "cmdContinue"}});
  initialize(std::make_shared<plugin::CCfgButtonOptions>());
  EXPECT_EQ(form.Display(), FHaltOnFail::AnswerDiscard);
}

TEST_F(HaltOnFail, TheCheckBoxIsOfferedOnlyWhileSavingIsSelected) {
  initialize();
  EXPECT_TRUE(checkBoxOffered());
  form.get<OptionButton>(FHaltOnFail::kRepeat).click();
  EXPECT_FALSE(checkBoxOffered());
  form.get<OptionButton>(FHaltOnFail::kDiscard).click();
  EXPECT_FALSE(checkBoxOffered());
  form.get<OptionButton>(FHaltOnFail::kSave).click();
  EXPECT_TRUE(checkBoxOffered());
}

TEST_F(HaltOnFail, ABoxTickedBeforeChoosingRepeatKeepsNothing) {
  answer("FHaltOnFail", {{1000, "chkUseOnAll"}, {1000, "optRepeat"}, {1000, "cmdContinue"}});
  initialize();
  EXPECT_EQ(form.Display(), FHaltOnFail::AnswerRepeat);
  // Keeping the answer would save every later failure unasked.
  EXPECT_FALSE(form.UseOnAll_get());
}

class HaltOnFailClick : public HaltOnFail, public ::testing::WithParamInterface<const char*> {};

TEST_P(HaltOnFailClick, StopsTheCountdownSoTheClockNeverAnswersForTheOperator) {
  answer("FHaltOnFail", {{2500, GetParam()}, {200'000, "cmdContinue"}});
  initialize();
  form.Display();
  EXPECT_EQ(ev.elapsed(), 202500ms);
  EXPECT_EQ(form.remaining(), 88);
  // The stale countdown text is gone once the countdown stopped.
  for (const auto& text : scripted.journal().front().lastTexts) {
    EXPECT_EQ(text.find("lblCountdown"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(AnyChoice, HaltOnFailClick,
                         ::testing::Values("optSave", "optRepeat", "chkUseOnAll", "lblUseOnAll"));

TEST_F(HaltOnFail, ClickingTheLabelTicksTheBox) {
  answer("FHaltOnFail", {{1000, "lblUseOnAll"}, {1000, "cmdContinue"}});
  initialize();
  EXPECT_EQ(form.Display(), FHaltOnFail::AnswerSave);
  EXPECT_TRUE(form.UseOnAll_get());
}

TEST_F(HaltOnFail, ShowsTheTestTheFailedStandardTheReadingAndTheViolatedLimit) {
  // Only the second standard's stricter limit fails: that is the one to name.
  element->limits->addStandard(2, "::ST", "Ohm", "0.1");
  answer("FHaltOnFail", {{0, "cmdContinue"}});
  form.Initialize(element, dialogs_test::resistanceReading(*element, 0.2f), nullptr);
  form.Display();
  EXPECT_TRUE(
      shown("lblMessage: The Protective Earth test compromised the limit specified in the standard "
            "IEC 60601-1 I."));
  EXPECT_TRUE(shown("lblValue: 0.200 Ohm"));
  EXPECT_TRUE(shown("lblLimit: < 0.1 Ohm"));
  EXPECT_EQ(scripted.journal().front().caption, "TRX440 Safety Analyzer");
  EXPECT_TRUE(shown("lblTitle: Safety Test Failed"));
}

TEST_F(HaltOnFail, AnOverloadShowsOLAgainstTheHighLimit) {
  FHaltOnFail fromText;
  fromText.Initialize(element, dialogs_test::resistanceReading(*element, "OL"), nullptr);
  EXPECT_EQ(fromText.get<Label>(FHaltOnFail::kValue).Caption_get(), "OL");
  EXPECT_EQ(fromText.get<Label>(FHaltOnFail::kLimit).Caption_get(), "< 0.3 Ohm");
  // An overflow mark stands for no reading at all: its stand-in value is never shown.
  FHaltOnFail fromFlags;
  fromFlags.Initialize(element, dialogs_test::resistanceReading(*element, 0.0f, "O"), nullptr);
  EXPECT_EQ(fromFlags.get<Label>(FHaltOnFail::kValue).Caption_get(), "OL");
}

TEST_F(HaltOnFail, AReadingBelowALowLimitShowsThatLimitAndDecimalPoints) {
  auto insulation = std::make_shared<dialogs_test::NamedElement>("Insulation");
  insulation->limits->addStandard(4, "::ST", "MOhm", "", "2");
  auto reading = std::make_shared<plugin::CMeasurement>();
  reading->Init("::ST", "Insulation", vti::etcIRMains, nullptr, "", true);
  reading->Value_let("1,5");
  reading->Unit_let("MOhm");
  form.Initialize(insulation, reading, nullptr);
  EXPECT_EQ(form.get<Label>(FHaltOnFail::kValue).Caption_get(), "1.5 MOhm");
  EXPECT_EQ(form.get<Label>(FHaltOnFail::kLimit).Caption_get(), "> 2 MOhm");
}

TEST_F(HaltOnFail, GoesOnTopOnlyWhenTheHostKeepsItsTestGuideOnTop) {
  answer("FHaltOnFail", {{0, "cmdContinue"}});
  initialize();
  form.Display();
  host.registry().set(host_api::kSystemSettingsKey, "Test guide settings", "4");
  FHaltOnFail again;
  again.Initialize(element, dialogs_test::resistanceReading(*element, 0.5f), nullptr);
  again.Display();
  ASSERT_EQ(scripted.journal().size(), 2u);
  EXPECT_FALSE(scripted.journal()[0].topmost);
  EXPECT_TRUE(scripted.journal()[1].topmost);
}
