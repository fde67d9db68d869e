#include <gtest/gtest.h>

#include <sstream>

#include "CountdownForm.h"
#include "platform/ComError.h"
#include "platform/VirtualLoop.h"
#include "platform/forms/AnswersFile.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/MessageBox.h"
#include "platform/forms/ScriptedScreen.h"
#include "platform/forms/TextBox.h"

using namespace platform;
using namespace platform::forms;
using namespace std::chrono_literals;

namespace {

std::vector<ScriptRule> rules(const std::string& text) {
  std::istringstream in(text);
  return AnswersFile::parse(in, "answers");
}

struct Scripted : ::testing::Test {
  VirtualLoop ev;
  LoopOverride useLoop{ev};
  ScriptedScreen scripted;
  ScreenOverride useScreen{scripted};

  void answer(const std::string& text) {
    for (auto& rule : rules(text)) scripted.addRule(rule);
  }
};

bool contains(const std::vector<std::string>& texts, const std::string& wanted) {
  for (const auto& text : texts) {
    if (text.find(wanted) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

TEST_F(Scripted, CountdownLeftAloneContinuesByItselfAfterNinetySeconds) {
  answer("FCountdown: wait");
  CountdownForm form(90);
  form.show(FormShow::Modal);

  EXPECT_FALSE(form.Cancel_get());
  EXPECT_FALSE(form.Visible_get());
  EXPECT_EQ(ev.elapsed(), 90s);
  ASSERT_EQ(scripted.journal().size(), 1u);
  const JournalEntry& entry = scripted.journal()[0];
  EXPECT_EQ(entry.caption, "Power On/Off Delay");
  EXPECT_TRUE(entry.modal);
  EXPECT_TRUE(contains(entry.texts, "lblTimer: " + CountdownForm::countdownText(90)));
  // The label counted down every second; the last number shown before the end is 1.
  EXPECT_TRUE(contains(entry.lastTexts, CountdownForm::countdownText(1)));
  EXPECT_EQ(entry.answer, "closed by the form itself");
  EXPECT_EQ(entry.hiddenAt, 90s);
}

TEST_F(Scripted, CountdownAnsweredByAClickAfterThreeSeconds) {
  answer("FCountdown: after 3s click cmdStop");
  CountdownForm form(90);
  form.show(FormShow::Modal);

  EXPECT_TRUE(form.Cancel_get());
  EXPECT_EQ(ev.elapsed(), 3s);
  // Two ticks were shown; the third second's tick, due at the same moment as the click, was
  // queued after it and never came.
  EXPECT_EQ(form.remaining(), 88);
  const JournalEntry& entry = scripted.journal().at(0);
  EXPECT_EQ(entry.answer, "after 3000ms click cmdStop");
  EXPECT_TRUE(contains(entry.lastTexts, CountdownForm::countdownText(88)));
  // The form's timer stopped with it: nothing is left to run.
  EXPECT_FALSE(form.get<Timer>("tmrCountdown").running());
}

TEST_F(Scripted, ConditionalRuleWinsOverTheFormDefaultAndDefaultOverStar) {
  answer(
      "*: click cmdContinue\n"
      "FCountdown: after 1s click cmdContinue\n"
      "FCountdown when lblTitle contains \"OFF\": after 2s click cmdStop\n");
  CountdownForm on(90);
  on.show(FormShow::Modal);
  EXPECT_FALSE(on.Cancel_get());
  EXPECT_EQ(ev.elapsed(), 1s);

  CountdownForm off(90);
  off.get<Label>("lblTitle").Caption_let("Power is now OFF.");
  off.show(FormShow::Modal);
  EXPECT_TRUE(off.Cancel_get());
  EXPECT_EQ(ev.elapsed(), 3s);
}

TEST_F(Scripted, TextBoxRefusesAKeyItsHandlerRejects) {
  answer("FValue: type \"12a3\" into txtValue, click cmdOK");
  Form form("FValue");
  auto& text = form.add<TextBox>("txtValue");
  text.onKeyPress([](int& key) {
    if (key != kKeyBackspace && (key < '0' || key > '9')) key = 0;
  });
  int changes = 0;
  text.onChange([&] { ++changes; });
  form.add<Button>("cmdOK").onClick([&] { form.hide(); });
  form.show(FormShow::Modal);

  EXPECT_EQ(text.Text_get(), "123");
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(scripted.journal().at(0).actions.at(0),
            "type \"12a3\" into txtValue (1 key(s) refused)");
  EXPECT_EQ(scripted.journal().at(0).answer, "click cmdOK");
}

TEST_F(Scripted, MessageBoxOverAModalFormNestsAndTheCountdownKeepsRunning) {
  // The operator asks to stop, is asked to confirm, says No, and the prompt counts on.
  answer(
      "FCountdown: after 2s click cmdAskStop\n"
      "MessageBox: after 5s click cmdNo\n");
  CountdownForm form(90);
  int32_t confirmation = 0;
  int remainingWhenAnswered = 0;
  form.add<Button>("cmdAskStop").onClick([&] {
    confirmation =
        msgBox("Stop the test?", "Stop", MessageButtons::YesNo, MessageIcon::Exclamation, &form);
    remainingWhenAnswered = form.remaining();
  });

  form.show(FormShow::Modal);

  EXPECT_EQ(confirmation, vbNo);
  EXPECT_EQ(remainingWhenAnswered, 83);  // the outer form's timer ran during the nested wait
  EXPECT_FALSE(form.Cancel_get());
  EXPECT_EQ(ev.elapsed(), 90s);
  const auto& journal = scripted.journal();
  ASSERT_EQ(journal.size(), 2u);
  EXPECT_EQ(journal[1].form, "MessageBox");
  EXPECT_EQ(journal[1].shownAt, 2s);
  EXPECT_EQ(journal[1].owner, "FCountdown");
  EXPECT_EQ(journal[1].answer, "after 5000ms click cmdNo");
  EXPECT_TRUE(contains(journal[1].texts, "lblMessage: Stop the test?"));
  EXPECT_TRUE(contains(journal[1].texts, "imgIcon: [exclamation]"));
  EXPECT_EQ(journal[0].actions, std::vector<std::string>{"after 2000ms click cmdAskStop"});
  EXPECT_EQ(journal[0].answer, "closed by the form itself");
  // The log tells the story in order: the box was shown and answered inside the prompt.
  const std::string log = scripted.journalText();
  size_t shown = log.find("[00:00:00.000] FCountdown shown");
  size_t box = log.find("[00:00:02.000] MessageBox shown: \"Stop\" modal over FCountdown");
  size_t no = log.find("[00:00:07.000] MessageBox answer: after 5000ms click cmdNo");
  size_t end = log.find("[00:01:30.000] FCountdown answer: closed by the form itself");
  EXPECT_LT(shown, box);
  EXPECT_LT(box, no);
  EXPECT_LT(no, end);
  EXPECT_NE(end, std::string::npos) << log;
  // A person reads the message in the log, once, and not the names of the box's controls.
  EXPECT_NE(log.find("    Stop the test?\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("Stop the test?"), log.rfind("Stop the test?")) << log;
  EXPECT_EQ(log.find("lblMessage"), std::string::npos) << log;
  EXPECT_EQ(log.find("exclamation"), std::string::npos) << log;
}

TEST_F(Scripted, FormWithoutAnyAnswerFailsInsteadOfWaitingForEver) {
  CountdownForm form(90);
  try {
    form.show(FormShow::Modal);
    FAIL() << "showing a form nobody answers must fail";
  } catch (const ComError& error) {
    EXPECT_EQ(error.number(), errNoAnswer);
    EXPECT_NE(error.description().find("FCountdown"), std::string::npos);
  }
  EXPECT_FALSE(form.Visible_get());
}

TEST_F(Scripted, AnswerThatCannotBeCarriedOutEndsTheModalWaitWithAnError) {
  answer("FCountdown: after 1s click cmdNowhere");
  CountdownForm form(90);
  try {
    form.show(FormShow::Modal);
    FAIL() << "a broken answer must not be ignored";
  } catch (const ComError& error) {
    EXPECT_EQ(error.number(), errAnswerFailed);
  }
  EXPECT_FALSE(form.Visible_get());
  EXPECT_EQ(ev.elapsed(), 1s);
  EXPECT_NE(scripted.journalText().find("failed:"), std::string::npos);
}

TEST_F(Scripted, ClickOnADisabledButtonIsRefused) {
  answer("FCountdown: click cmdStop");
  CountdownForm form(90);
  form.get<Button>("cmdStop").Enabled_let(false);
  EXPECT_THROW(form.show(FormShow::Modal), ComError);
  EXPECT_FALSE(form.Cancel_get());
}

TEST(AnswersFile, ReadsRulesStepsDelaysAndQuotes) {
  auto read = rules(
      "# unattended run\n"
      "\n"
      "FHaltOnFail when lblMessage contains \"Earth \\\"PE\\\"\": after 1.5s click optDiscard, "
      "after 200ms click cmdContinue\n"
      "FModule: choose \"BF, type 2\" in cboClass\n"
      "*: wait\n");
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[0].form, "FHaltOnFail");
  EXPECT_EQ(read[0].whenControl, "lblMessage");
  EXPECT_EQ(read[0].contains, "Earth \"PE\"");
  ASSERT_EQ(read[0].steps.size(), 2u);
  EXPECT_EQ(read[0].steps[0].after, 1500ms);
  EXPECT_EQ(read[0].steps[1].describe(), "after 200ms click cmdContinue");
  EXPECT_EQ(read[1].steps[0].action, ScriptAction::Choose);
  EXPECT_EQ(read[1].steps[0].text, "BF, type 2");
  EXPECT_EQ(read[2].form, "*");
  EXPECT_EQ(read[2].steps[0].action, ScriptAction::Wait);
}

TEST(AnswersFile, NamesTheLineThatDoesNotFollowTheFormat) {
  for (const char* bad :
       {"FForm click cmdOK", "FForm: after soon click cmdOK", "FForm: press cmdOK",
        "FForm: type \"12 into txt", "FForm: click cmdOK click cmdNo"}) {
    try {
      rules(std::string("# first\n") + bad + "\n");
      ADD_FAILURE() << "accepted: " << bad;
    } catch (const ComError& error) {
      EXPECT_EQ(error.number(), errAnswersFile) << bad;
      EXPECT_EQ(error.description().rfind("answers:2: ", 0), 0u) << error.description();
    }
  }
  EXPECT_THROW(AnswersFile::load("/nonexistent/answers.txt"), ComError);
}
