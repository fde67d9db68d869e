#include <unistd.h>

#include <gtest/gtest.h>

#include <sstream>

#include "CountdownForm.h"
#include "platform/ComError.h"
#include "platform/VirtualLoop.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/ConsoleRenderer.h"
#include "platform/forms/ConsoleScreen.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MessageBox.h"
#include "platform/forms/TabStrip.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/Toolbar.h"

using namespace platform;
using namespace platform::forms;
using namespace std::chrono_literals;

namespace {

size_t count(const std::string& text, const std::string& part) {
  size_t found = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
  return found;
}

// A console screen whose keyboard is a pipe and whose terminal is a string.
struct Console : ::testing::Test {
  VirtualLoop ev;
  LoopOverride useLoop{ev};
  int keys[2] = {-1, -1};
  std::ostringstream out;
  std::unique_ptr<ConsoleScreen> console;
  std::unique_ptr<ScreenOverride> useScreen;

  void SetUp() override {
    ASSERT_EQ(pipe(keys), 0);
    console =
        std::make_unique<ConsoleScreen>(keys[0], out, ConsoleScreen::Options{true, 80, false});
    useScreen = std::make_unique<ScreenOverride>(*console);
  }
  void TearDown() override {
    useScreen.reset();
    console.reset();
    if (keys[0] >= 0) close(keys[0]);
    if (keys[1] >= 0) close(keys[1]);
  }
  void typeAt(Duration at, std::string bytes) {
    ev.startTimer(at, [this, bytes] {
      ASSERT_EQ(write(keys[1], bytes.data(), bytes.size()), ssize_t(bytes.size()));
    });
  }
};

}  // namespace

TEST_F(Console, ShowsCaptionTextsButtonsAndKeysAndAnswersTheAcceleratorWhileCounting) {
  CountdownForm form(90);
  typeAt(3500ms, "t");
  form.show(FormShow::Modal);

  EXPECT_TRUE(form.Cancel_get());
  EXPECT_EQ(ev.elapsed(), 3500ms);
  const std::string screen = out.str();
  EXPECT_NE(screen.find("== Power On/Off Delay =="), std::string::npos);
  EXPECT_NE(screen.find("Power is now ON."), std::string::npos);
  EXPECT_NE(screen.find("[ [C]ontinue ]  [ Stop [T]est ]"), std::string::npos);
  EXPECT_NE(screen.find("Enter: Continue   Esc: Stop Test"), std::string::npos);
  // Drawn once; each tick rewrote the countdown line in place and nothing else.
  EXPECT_EQ(count(screen, "Power is now ON."), 1u);
  EXPECT_EQ(count(screen, "\x1b[2K"), 3u);
  EXPECT_NE(screen.find("\x1b[2K" + CountdownForm::countdownText(87)), std::string::npos);
  // The cursor is shown again once no form waits.
  EXPECT_EQ(screen.substr(screen.size() - 6), "\x1b[?25h");
}

TEST_F(Console, EnterAndEscapeAnswerTheDefaultAndTheCancelButton) {
  CountdownForm first(90);
  typeAt(1s, "\r");
  first.show(FormShow::Modal);
  EXPECT_FALSE(first.Cancel_get());
  EXPECT_EQ(ev.elapsed(), 1s);

  CountdownForm second(90);
  typeAt(1s, "\x1b");
  second.show(FormShow::Modal);
  EXPECT_TRUE(second.Cancel_get());
}

TEST_F(Console, ACursorKeyArrivingInPiecesIsNoEscape) {
  Form form("FList");
  auto& combo = form.add<ComboBox>("cboClass");
  for (const char* item : {"B", "BF", "CF"}) combo.addItem(item);
  auto& ok = form.add<Button>("cmdOK");
  ok.Caption_let("&OK");
  ok.onClick([&] { form.hide(); });
  auto& cancel = form.add<Button>("cmdCancel");
  cancel.Cancel_let(true);
  cancel.onClick([&] { FAIL() << "a split cursor key was taken for Esc"; });
  typeAt(1s, "\t\x1b");
  typeAt(1s + 20ms, "[B");
  typeAt(2s, "\x1b[B\x1bo");
  form.show(FormShow::Modal);
  EXPECT_EQ(combo.Text_get(), "BF");
}

TEST_F(Console, TypingGoesIntoTheFocusedTextFieldAndAltReachesAccelerators) {
  Form form("FValue");
  form.Caption_let("Value");
  auto& text = form.add<TextBox>("txtValue");
  text.onKeyPress([](int& key) {
    if (key != kKeyBackspace && (key < '0' || key > '9')) key = 0;
  });
  auto& ok = form.add<Button>("cmdOK");
  ok.Caption_let("&OK");
  ok.onClick([&] { form.hide(); });
  typeAt(1s,
         "\t12o3\x7f"
         "4");
  typeAt(2s, "\x1bo");
  form.show(FormShow::Modal);
  EXPECT_EQ(text.Text_get(), "124");
  EXPECT_EQ(ev.elapsed(), 2s);
}

TEST_F(Console, AMessageBoxOverAFormIsDrawnBelowItAndTheFormAgainAfterIt) {
  CountdownForm form(90);
  int32_t confirmation = 0;
  auto& ask = form.add<Button>("cmdAsk");
  ask.Caption_let("&Ask");
  ask.onClick([&] {
    confirmation =
        msgBox("Stop the test?", "Stop", MessageButtons::YesNo, MessageIcon::Warning, &form);
  });
  typeAt(1s, "a");
  typeAt(2s, "n");
  typeAt(3s, "c");
  form.show(FormShow::Modal);
  EXPECT_EQ(confirmation, vbNo);
  EXPECT_FALSE(form.Cancel_get());
  const std::string screen = out.str();
  size_t box = screen.find("== Stop ==");
  ASSERT_NE(box, std::string::npos);
  EXPECT_NE(screen.find("/!\\  Stop the test?", box), std::string::npos);
  EXPECT_NE(screen.find("[ [Y]es ]  [ [N]o ]", box), std::string::npos);
  EXPECT_NE(screen.find("== Power On/Off Delay ==", box), std::string::npos);
}

TEST_F(Console, WithoutATerminalTheFormFailsAtOnceWithAClearMessage) {
  ConsoleScreen strict(keys[0], out, ConsoleScreen::Options{true, 80, true});
  ScreenOverride useStrict(strict);
  CountdownForm form(90);
  try {
    form.show(FormShow::Modal);
    FAIL() << "a form nobody can answer must not wait";
  } catch (const ComError& error) {
    EXPECT_EQ(error.number(), errNoTerminal);
    EXPECT_NE(error.description().find("not a terminal"), std::string::npos);
  }
  EXPECT_FALSE(form.Visible_get());
  EXPECT_EQ(ev.elapsed(), 0ms);
}

TEST_F(Console, ClosedInputEndsTheWaitWithAnError) {
  CountdownForm form(90);
  ev.startTimer(2s, [this] {
    close(keys[1]);
    keys[1] = -1;
  });
  try {
    form.show(FormShow::Modal);
    FAIL();
  } catch (const ComError& error) {
    EXPECT_EQ(error.number(), errNoTerminal);
  }
  EXPECT_FALSE(form.Visible_get());
  EXPECT_EQ(ev.elapsed(), 2s);
}

TEST(ConsoleRenderer, ListsAsAlignedTablesChecksAndLongTextsWrapped) {
  Form form("FResults");
  form.Caption_let("Results");
  auto& body = form.add<Label>("lblBody");
  body.Caption_let(
      "When the time has elapsed the test will automatically continue. Click Continue to advance.");
  auto& list = form.add<ListView>("lvwResults");
  list.addColumn("test", "Test", 12);
  list.addColumn("value", "Value", 6);
  list.addItem("pe", "Earth", {"0.102"});
  list.addItem("leak", "Enclosure", {"12.5"}).bold = true;
  form.add<CheckBox>("chkAll").Caption_let("&Use on all");
  auto lines = ConsoleRenderer(40).render(form);
  std::vector<std::string> expected = {"== Results ==",
                                       "",
                                       "When the time has elapsed the test will",
                                       "automatically continue. Click Continue",
                                       "to advance.",
                                       "  Test         Value",
                                       "  ------------ ------",
                                       "  Earth        0.102",
                                       "  *Enclosure   12.5",
                                       "[ ] [U]se on all",
                                       "",
                                       "Tab: next field"};
  EXPECT_EQ(lines, expected);
  for (const auto& line : ConsoleRenderer(20).render(form)) {
    EXPECT_LE(ConsoleRenderer::columns(line), 20u) << line;
  }
}

TEST(ConsoleRenderer, TabsShowTheSelectedPageAndDisabledButtonsHaveNoAccelerator) {
  Form form("FSetup");
  form.Caption_let("Setup");
  auto& tabs = form.add<TabStrip>("tbsPages");
  tabs.addTab("modules", "&Modules");
  tabs.addTab("options", "&Options");
  form.add<Label>("lblModules").Caption_let("Module page");
  form.add<Label>("lblOptions").Caption_let("Option page");
  auto& toolbar = form.add<Toolbar>("tbrEdit");
  toolbar.addButton("add", "Add");
  toolbar.addButton("remove", "Remove").enabled = false;
  auto& skip = form.add<Button>("cmdSkip");
  skip.Caption_let("&Skip");
  skip.Enabled_let(false);
  form.Layout_let(Layout::column(
      {Layout::control("tbrEdit"),
       Layout::tabs("tbsPages", {Layout::control("lblModules"), Layout::control("lblOptions")}),
       Layout::control("cmdSkip")}));
  ConsoleRenderer renderer(60);
  auto first = renderer.render(form);
  EXPECT_EQ(first[2], "| Add | (Remove) |");
  EXPECT_EQ(first[3], "[Modules]  Options");
  EXPECT_EQ(first[5], "Module page");
  EXPECT_EQ(first[6], "(Skip)");
  EXPECT_FALSE(form.pressAccelerator('s'));
  EXPECT_TRUE(tabs.chooseItem("Options"));
  auto second = renderer.render(form);
  EXPECT_EQ(second[3], " Modules  [Options]");
  EXPECT_EQ(second[5], "Option page");
}
