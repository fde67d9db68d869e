#include <gtest/gtest.h>

#include "CountdownForm.h"
#include "platform/ComError.h"
#include "platform/VirtualLoop.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/FormTools.h"
#include "platform/forms/Grid.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/ScriptedScreen.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/TreeView.h"
#include "platform/forms/UpDown.h"

using namespace platform;
using namespace platform::forms;
using namespace std::chrono_literals;

TEST(Form, ControlsAreFoundByNameAndKind) {
  Form form("FTest");
  form.add<Label>("lblTitle");
  EXPECT_THROW(form.add<Label>("lblTitle"), ComError);
  try {
    form.control("cmdMissing");
    FAIL();
  } catch (const ComError& error) {
    EXPECT_EQ(error.number(), errControlNotFound);
  }
  try {
    form.get<Button>("lblTitle");
    FAIL();
  } catch (const ComError& error) {
    EXPECT_EQ(error.number(), RuntimeError::TypeMismatch);
  }
}

TEST(Form, KeysReachAcceleratorsDefaultAndCancelButtonsOnlyWhenAvailable) {
  CountdownForm form(90);
  auto& stop = form.get<Button>("cmdStop");
  std::vector<std::string> focus;
  form.get<Button>("cmdContinue").onLostFocus([&] { focus.push_back("continue lost"); });
  stop.onGotFocus([&] { focus.push_back("stop got"); });
  form.setFocus(form.get<Button>("cmdContinue"));
  EXPECT_FALSE(form.setFocus(form.get<Label>("lblTitle")));  // labels take no focus
  EXPECT_TRUE(form.pressAccelerator('t'));
  EXPECT_EQ(focus, (std::vector<std::string>{"continue lost", "stop got"}));
  EXPECT_TRUE(form.Cancel_get());
  EXPECT_EQ(form.focused(), &stop);
  EXPECT_TRUE(form.pressEnter());
  EXPECT_FALSE(form.Cancel_get());
  EXPECT_TRUE(form.pressEscape());
  EXPECT_TRUE(form.Cancel_get());
  stop.Enabled_let(false);
  EXPECT_FALSE(form.pressEscape());
  EXPECT_FALSE(form.pressAccelerator('T'));
  EXPECT_FALSE(form.pressAccelerator('x'));
  // Only one default button: making another the default takes it from the first.
  auto& other = form.add<Button>("cmdOther");
  other.Default_let(true);
  EXPECT_EQ(form.defaultButton(), &other);
  EXPECT_FALSE(form.get<Button>("cmdContinue").Default_get());
  form.add<Button>("cmdAbort").Cancel_let(true);
  EXPECT_FALSE(stop.Cancel_get());
}

TEST(Form, OptionButtonsOfAGroupExcludeEachOtherAndCheckBoxesToggle) {
  Form form("FHalt");
  auto& save = form.add<OptionButton>("optSave");
  auto& discard = form.add<OptionButton>("optDiscard");
  auto& other = form.add<OptionButton>("optOther");
  other.Group_let("second");
  save.Value_let(true);
  other.Value_let(true);
  EXPECT_TRUE(discard.click());
  EXPECT_FALSE(save.Value_get());
  EXPECT_TRUE(discard.Value_get());
  EXPECT_TRUE(other.Value_get());

  auto& check = form.add<CheckBox>("chkUseOnAll");
  int clicks = 0;
  check.onClick([&] { ++clicks; });
  EXPECT_TRUE(check.click());
  EXPECT_EQ(check.Value_get(), vbChecked);
  EXPECT_TRUE(check.click());
  EXPECT_EQ(check.Value_get(), vbUnchecked);
  check.Enabled_let(false);
  EXPECT_FALSE(check.click());
  EXPECT_EQ(clicks, 2);
  EXPECT_THROW(check.Value_let(3), ComError);
}

TEST(Form, UpDownStaysInItsRangeAndShowsItsValueInTheBuddy) {
  Form form("FOptions");
  auto& text = form.add<TextBox>("txtDelay");
  auto& upDown = form.add<UpDown>("updDelay");
  upDown.Min_let(1);
  upDown.Max_let(5);
  upDown.BuddyControl_let("txtDelay");
  EXPECT_EQ(text.Text_get(), "1");
  EXPECT_FALSE(upDown.down());
  for (int i = 0; i < 10; ++i) upDown.up();
  EXPECT_EQ(upDown.Value_get(), 5);
  EXPECT_EQ(text.Text_get(), "5");
  EXPECT_THROW(upDown.Value_let(6), ComError);
  EXPECT_EQ(upDown.Value_get(), 5);
  EXPECT_TRUE(upDown.chooseItem("3"));
  EXPECT_FALSE(upDown.chooseItem("9"));
  EXPECT_EQ(text.Text_get(), "3");
}

TEST(Form, TextBoxHonoursLimitsAndRemovesWholeCharacters) {
  TextBox text("txtName");
  text.MaxLength_let(3);
  for (int key : {int('a'), 0xC3, 0xA9, int('b'), int('c')}) text.typeKey(key);
  EXPECT_EQ(text.Text_get(), "a\xC3\xA9");  // "aé" is three bytes: the limit counts bytes
  EXPECT_TRUE(text.typeKey(kKeyBackspace));
  EXPECT_EQ(text.Text_get(), "a");
  text.Locked_let(true);
  EXPECT_FALSE(text.typeKey('x'));
}

TEST(Form, ItemsAreChosenByKeyOrVisibleText) {
  Form form("FItems");
  auto& combo = form.add<ComboBox>("cboClass");
  combo.addItem("B");
  combo.addItem("BF");
  int changes = 0;
  combo.onChange([&] { ++changes; });
  EXPECT_TRUE(combo.chooseItem("BF"));
  EXPECT_EQ(combo.ListIndex_get(), 1);
  EXPECT_FALSE(combo.chooseItem("CF"));
  EXPECT_EQ(changes, 1);

  auto& tree = form.add<TreeView>("tvwTests");
  tree.addNode("", "group", "Group");
  tree.addNode("group", "pe", "Protective earth");
  EXPECT_THROW(tree.addNode("missing", "x", "X"), ComError);
  EXPECT_THROW(tree.addNode("", "pe", "Again"), ComError);
  std::string clicked;
  tree.onNodeClick([&](TreeNode& node) { clicked = node.key; });
  EXPECT_TRUE(tree.chooseItem("Protective earth"));
  EXPECT_EQ(clicked, "pe");
  EXPECT_EQ(tree.visibleTexts(), (std::vector<std::string>{"Group", "  Protective earth"}));

  auto& grid = form.add<Grid>("grdValues");
  grid.Rows_let(3);
  grid.TextMatrix_let(2, 0, "L1");
  grid.Rows_let(4);  // resizing keeps what is there
  EXPECT_EQ(grid.TextMatrix_get(2, 0), "L1");
  EXPECT_THROW(grid.TextMatrix_get(4, 0), ComError);
  EXPECT_TRUE(grid.chooseItem("L1"));
  EXPECT_EQ(grid.Row_get(), 2);
}

TEST(Form, UnloadStopsTimersAndAShownFormCannotBeShownModallyAgain) {
  VirtualLoop ev;
  LoopOverride useLoop(ev);
  ScriptedScreen scripted;
  ScreenOverride useScreen(scripted);
  scripted.addRule({"*", "", "", {}});
  CountdownForm form(90);
  form.show();
  EXPECT_TRUE(form.Visible_get());
  try {
    form.show(FormShow::Modal);
    FAIL();
  } catch (const ComError& error) {
    EXPECT_EQ(error.number(), errFormAlreadyShown);
  }
  ev.processFor(2500ms);
  EXPECT_EQ(form.remaining(), 88);
  form.unload();
  ev.processFor(5s);
  EXPECT_EQ(form.remaining(), 88);
  EXPECT_FALSE(form.get<Timer>("tmrCountdown").running());
  EXPECT_EQ(scripted.journal().at(0).hiddenAt, 2500ms);
}

TEST(Form, TopmostPlacementIsRecordedByTheScreen) {
  VirtualLoop ev;
  LoopOverride useLoop(ev);
  ScriptedScreen scripted;
  ScreenOverride useScreen(scripted);
  scripted.addRule({"*", "", "", {{1s, ScriptAction::Click, "cmdContinue", ""}}});
  CountdownForm form(90);
  placeTopmost(form);
  form.show(FormShow::Modal);
  EXPECT_TRUE(scripted.journal().at(0).topmost);
}

TEST(Form, DestroyingAShownFormTellsTheScreen) {
  VirtualLoop ev;
  LoopOverride useLoop(ev);
  ScriptedScreen scripted;
  ScreenOverride useScreen(scripted);
  scripted.addRule({"*", "", "", {{1s, ScriptAction::Click, "cmdContinue", ""}}});
  {
    CountdownForm form(90);
    form.show();
  }
  // The pending answer for the gone form must not fire on freed memory.
  ev.processFor(2s);
  EXPECT_EQ(scripted.journal().at(0).answer, "closed by the form itself");
}
