#include <gtest/gtest.h>

#include <map>

#include "platform/MessageText.h"
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormTools.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListView.h"
#include "platform/forms/TabStrip.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/Toolbar.h"

using namespace platform;
using namespace platform::forms;

namespace {
// A test catalogue: known ids translate, anything else shows its default text.
Translator catalogue() {
  static const std::map<std::string, std::string> german = {{"21030", "Verzögerung Ein/Aus"},
                                                            {"20010", "&Weiter"},
                                                            {"20011", "Test &beenden"},
                                                            {"21032", "Der Test läuft weiter."},
                                                            {"300", "Messwert"},
                                                            {"301", "Einheit"},
                                                            {"400", "Start"},
                                                            {"401", "Stopp"},
                                                            {"500", "Ergebnisse"}};
  return [](const std::string& text) {
    MessageText message = MessageText::parse(text);
    if (message.id) {
      auto it = german.find(*message.id);
      if (it != german.end()) return it->second;
    }
    return message.text;
  };
}
}  // namespace

TEST(TranslateCaptions, EveryCaptionOfTheFormAndItsListsTabsAndToolbarsAtOnce) {
  Form form("FWaitOnPC");
  form.Caption_let("21030::Power On/Off Delay");
  form.add<Label>("lblBody").Caption_let("21032::When the time has elapsed ...");
  auto& ok = form.add<Button>("cmdContinue");
  ok.Caption_let("20010::&Continue");
  ok.ToolTipText_let("20011::Stop &Test");
  form.add<Label>("lblUnknown").Caption_let("29999::Not in the catalogue");
  form.add<Label>("lblPlain").Caption_let("already shown text");
  form.add<TextBox>("txtValue").Text_let("20010::typed by the operator");
  auto& list = form.add<ListView>("lvwResults");
  list.addColumn("value", "300::Value", 10);
  list.addColumn("unit", "301::Unit", 5);
  auto& tabs = form.add<TabStrip>("tbsPages");
  tabs.addTab("results", "500::Results");
  auto& toolbar = form.add<Toolbar>("tbrRun");
  toolbar.addButton("start", "400::Start").toolTip = "401::Stop";
  form.Layout_let(Layout::column(
      {Layout::group("500::Results", {Layout::control("lvwResults")}), Layout::control("tbrRun")}));

  translateCaptions(form, catalogue());

  EXPECT_EQ(form.Caption_get(), "Verzögerung Ein/Aus");
  EXPECT_EQ(form.get<Label>("lblBody").Caption_get(), "Der Test läuft weiter.");
  EXPECT_EQ(ok.Caption_get(), "&Weiter");
  EXPECT_EQ(ok.ToolTipText_get(), "Test &beenden");
  EXPECT_EQ(form.get<Label>("lblUnknown").Caption_get(), "Not in the catalogue");
  EXPECT_EQ(form.get<Label>("lblPlain").Caption_get(), "already shown text");
  // What the operator typed is data, not a caption.
  EXPECT_EQ(form.get<TextBox>("txtValue").Text_get(), "20010::typed by the operator");
  EXPECT_EQ(list.columns()[0].title, "Messwert");
  EXPECT_EQ(list.columns()[1].title, "Einheit");
  EXPECT_EQ(tabs.tabs()[0].caption, "Ergebnisse");
  EXPECT_EQ(toolbar.buttons()[0].caption, "Start");
  EXPECT_EQ(toolbar.buttons()[0].toolTip, "Stopp");
  EXPECT_EQ(form.Layout_get()->parts()[0].text(), "Ergebnisse");
  EXPECT_EQ(form.Layout_get()->parts()[1].text(), "tbrRun");
  // The translated accelerator is the one the keyboard uses.
  EXPECT_TRUE(form.pressAccelerator('w'));
}

TEST(TranslateCaptions, ATabStripOrToolbarOnItsOwn) {
  TabStrip tabs("tbsPages");
  tabs.addTab("a", "500::Results");
  tabs.addTab("b", "9::Other");
  translateCaptions(tabs, catalogue());
  EXPECT_EQ(tabs.tabs()[0].caption, "Ergebnisse");
  EXPECT_EQ(tabs.tabs()[1].caption, "Other");
}

TEST(TranslateColour, RgbSystemAndPaletteColours) {
  EXPECT_EQ(translateColour(0x00123456), 0x00123456);
  EXPECT_EQ(translateColour(static_cast<int32_t>(0x80000005)), 0x00FFFFFF);  // window
  EXPECT_EQ(translateColour(static_cast<int32_t>(0x80000008)), 0x00000000);  // window text
  EXPECT_EQ(translateColour(static_cast<int32_t>(0x8000000F)), 0x00C8D0D4);  // button face
  EXPECT_EQ(translateColour(0x02ABCDEF), 0x00ABCDEF);
  std::vector<int32_t> palette = {0x000000FF, 0x0000FF00};
  EXPECT_EQ(translateColour(0x01000001, &palette), 0x0000FF00);
  // Failures: unknown system colour, index past the palette or without one, unknown kind.
  EXPECT_EQ(translateColour(static_cast<int32_t>(0x80000019)), -1);
  EXPECT_EQ(translateColour(static_cast<int32_t>(0x80000040)), -1);
  EXPECT_EQ(translateColour(0x01000002, &palette), -1);
  EXPECT_EQ(translateColour(0x01000000), -1);
  EXPECT_EQ(translateColour(0x04000000), -1);
  EXPECT_EQ(translateColour(-1), -1);
}
