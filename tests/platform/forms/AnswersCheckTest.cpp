#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "platform/ComError.h"
#include "platform/forms/AnswersCheck.h"
#include "platform/forms/AnswersFile.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/MessageBox.h"

using namespace platform;
using namespace platform::forms;

namespace {

AnswersCheck promptAndBox() {
  return AnswersCheck(
      {{"FPrompt", {"cmdContinue", "cmdStop"}, {"lblTitle"}}, MessageBox::answerable()});
}

// The description of the refusal, or empty text when the file is accepted.
std::string refusal(const std::string& text) {
  const AnswersCheck check = promptAndBox();
  std::istringstream in(text);
  try {
    AnswersFile::parse(in, "answers.txt", &check);
  } catch (const ComError& error) {
    EXPECT_EQ(error.number(), errAnswersFile);
    return error.description();
  }
  return "";
}

TEST(AnswersCheck, AcceptsRulesThatNameOnlyWhatTheRunCanShow) {
  EXPECT_EQ(refusal("# all known\n"
                    "FPrompt when lblTitle contains \"power\": after 1s click cmdContinue\n"
                    "FPrompt when cmdStop contains \"Stop\": wait\n"
                    "FPrompt: wait\n"
                    "MessageBox when lblMessage contains \"x\": click cmdYes\n"
                    "*: click cmdOK\n"),
            "");
}

TEST(AnswersCheck, AnUnknownFormIsRefusedWithItsLineAndTheFormsThereAre) {
  EXPECT_EQ(refusal("FPrompt: wait\n\nFHaltOnFail: click cmdContinue\n"),
            "answers.txt:3: no form named FHaltOnFail can show in this run; the forms are "
            "FPrompt, MessageBox (or * for any form)");
  EXPECT_NE(refusal("fprompt: wait\n"), "") << "names are matched exactly, as the screen does";
}

TEST(AnswersCheck, AnUnknownControlIsRefusedWithTheControlsOfThatForm) {
  EXPECT_EQ(refusal("FPrompt: after 2s click cmdContinue, click cmdOK\n"),
            "answers.txt:1: the form FPrompt has no control named cmdOK to click; the controls "
            "to click are cmdContinue, cmdStop");
  // A text can be looked at but not clicked.
  EXPECT_NE(refusal("FPrompt: click lblTitle\n").find("no control named lblTitle to click"),
            std::string::npos);
  EXPECT_NE(refusal("FPrompt when lblBody contains \"x\": wait\n")
                .find("no control named lblBody to look at; the controls to look at are "
                      "cmdContinue, cmdStop, lblTitle"),
            std::string::npos);
  EXPECT_NE(refusal("MessageBox: type \"1\" into cmdOK2\n").find("to type into"),
            std::string::npos);
}

TEST(AnswersCheck, AnyFormAcceptsAControlOfSomeFormAndRefusesOneOfNone) {
  EXPECT_EQ(refusal("*: click cmdStop\n"), "");
  EXPECT_EQ(refusal("*: click cmdGo\n"),
            "answers.txt:1: no form of this run has a control named cmdGo to click; the controls "
            "to click are cmdContinue, cmdStop, cmdOK, cmdCancel, cmdYes, cmdNo");
}

TEST(AnswersCheck, TheMessageBoxPublishesEveryButtonAnyBoxHasAndItsText) {
  std::set<std::string> buttons, texts;
  for (auto kind : {MessageButtons::OK, MessageButtons::OKCancel, MessageButtons::YesNo}) {
    MessageBox box("text", "caption", kind, MessageIcon::Error);
    EXPECT_EQ(box.name(), MessageBox::answerable().name);
    for (const auto& control : box.controls()) {
      (std::string(control->kind()) == "Button" ? buttons : texts).insert(control->name());
    }
  }
  const auto published = MessageBox::answerable();
  EXPECT_EQ(buttons, std::set<std::string>(published.controls.begin(), published.controls.end()));
  texts.erase("imgIcon");  // a picture has no text to look at
  EXPECT_EQ(texts, std::set<std::string>(published.texts.begin(), published.texts.end()));
}

}  // namespace
