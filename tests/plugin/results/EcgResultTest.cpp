#include <gtest/gtest.h>

#include "ResultViewsSupport.h"
#include "platform/VirtualLoop.h"
#include "platform/components/ComponentRegistry.h"
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/Grid.h"
#include "platform/forms/ScriptedScreen.h"
#include "platform/forms/TextBox.h"
#include "plugin/results/FECGResult.h"
#include "plugin/results/XDetailedResult.h"
#include "plugin/results/XResultECG.h"
#include "support/ExpectError.h"

using namespace plugin;
using namespace results_test;
using namespace platform::forms;

namespace {

class EcgResultTest : public ResultViewsTest {
 protected:
  // The checks of an ECG test: one passed, one failed, one not judged yet.
  std::shared_ptr<CResultData> checks() {
    auto ecg = single(1900);
    auto result = giveResult(*ecg,
                             {{"::ST1", platform::Variant(true), 1},
                              {"::ST2", platform::Variant(false), 2},
                              {"::ST3", platform::Variant(), 0}},
                             vti::etcECGTest);
    return result;
  }

  void answer(const std::string& click) {
    scripted.addRule({FECGResult::FormName, "", "", {{{}, ScriptAction::Click, click, ""}}});
  }

  platform::VirtualLoop ev;
  platform::LoopOverride useLoop{ev};
  ScriptedScreen scripted;
  ScreenOverride useScreen{scripted};
};

TEST_F(EcgResultTest, EveryCheckShowsItsMarksAndAFailedOneIsRed) {
  Form host("FHost");
  auto& grid = host.add<Grid>(XResultECG::GridName);
  XResultECG view(grid);
  view.ShowTestResult(checks());
  ASSERT_EQ(grid.Rows_get(), 4);
  EXPECT_EQ(grid.TextMatrix_get(0, 0), "Description");
  EXPECT_EQ(grid.TextMatrix_get(0, 1), "Pass");
  EXPECT_EQ(grid.TextMatrix_get(2, 0), "Reading ::ST2");
  EXPECT_EQ(view.RowVerdict_get(1), true);
  EXPECT_EQ(view.RowVerdict_get(2), false);
  EXPECT_EQ(view.RowVerdict_get(3), std::nullopt);
  EXPECT_EQ(grid.CellPicture_get(3, XResultECG::ColPass), XResultECG::ImageUnchecked);
  EXPECT_EQ(grid.CellForeColor_get(2, 0), 255);
  EXPECT_EQ(grid.CellForeColor_get(1, 0), kDefaultColour);
  EXPECT_TRUE(grid.Redraw_get());
}

TEST_F(EcgResultTest, AClickInTheFailColumnFailsTheCheckItself) {
  Form host("FHost");
  auto& grid = host.add<Grid>(XResultECG::GridName);
  XResultECG view(grid);
  auto result = checks();
  view.ShowTestResult(result);
  ASSERT_TRUE(grid.clickCell(1, XResultECG::ColFail));
  EXPECT_EQ(view.RowVerdict_get(1), false);
  EXPECT_EQ(grid.CellForeColor_get(1, 2), 255);
  EXPECT_EQ(result->Item(1)->Status_get(), host_api::ResultStatus::Failed);
  ASSERT_TRUE(grid.clickCell(2, XResultECG::ColPass));
  EXPECT_EQ(result->Item(2)->Status_get(), host_api::ResultStatus::Passed);
  EXPECT_EQ(result->Item(2)->Value_get().toString(), "Pass");
  // The description column and the headings judge nothing.
  EXPECT_TRUE(grid.clickCell(3, XResultECG::ColDescription));
  EXPECT_FALSE(grid.clickCell(0, XResultECG::ColPass));
  EXPECT_EQ(view.RowVerdict_get(3), std::nullopt);
}

TEST_F(EcgResultTest, AnotherResultReplacesTheRowsAndNoResultLeavesTheGrid) {
  Form host("FHost");
  auto& grid = host.add<Grid>(XResultECG::GridName);
  XResultECG view(grid);
  view.ShowTestResult(checks());
  auto ecg = single(1900);
  view.ShowTestResult(giveResult(*ecg, {{"::ST1", platform::Variant(true), 1}}, vti::etcECGTest));
  EXPECT_EQ(grid.Rows_get(), 2);
  view.ShowTestResult(nullptr);
  EXPECT_EQ(grid.Rows_get(), 2);
  EXPECT_TRUE(grid.clickCell(1, XResultECG::ColFail));
  EXPECT_EQ(view.RowVerdict_get(1), true);  // no result to judge: the marks stay
}

TEST_F(EcgResultTest, RepeatPassAndFailGiveTheirAnswers) {
  for (const auto& [button, expected] : std::vector<std::pair<std::string, int32_t>>{
           {"cmdRepeat", 2}, {"cmdPass", 4}, {"cmdFail", 5}}) {
    ScriptedScreen screen;
    ScreenOverride useThis{screen};
    screen.addRule({FECGResult::FormName, "", "", {{{}, ScriptAction::Click, button, ""}}});
    FECGResult form;
    form.Initialize(checks());
    EXPECT_EQ(form.Display(), expected) << button;
    ASSERT_EQ(screen.journal().size(), 1u);
    EXPECT_EQ(screen.journal()[0].caption, "ECG Test Result");
    EXPECT_TRUE(screen.journal()[0].modal);
  }
}

TEST_F(EcgResultTest, TheFormShowsTheChecksOfItsResultWithTranslatedButtons) {
  answer("cmdPass");
  FECGResult form;
  form.Initialize(checks());
  form.Display();
  const auto& texts = scripted.journal().at(0).texts;
  auto has = [&](const std::string& part) {
    for (const auto& t : texts) {
      if (t.find(part) != std::string::npos) return true;
    }
    return false;
  };
  EXPECT_TRUE(has("Reading ::ST2"));
  EXPECT_EQ(form.get<Button>("cmdRepeat").Caption_get(), "&Repeat");
  EXPECT_EQ(form.get<Button>("cmdFail").Caption_get(), "&Fail");
}

TEST_F(EcgResultTest, EscapeAsksForARepeat) {
  scripted.addRule({FECGResult::FormName, "", "", {{{}, ScriptAction::Click, "cmdPass", ""}}});
  FECGResult form;
  form.Initialize(nullptr);
  EXPECT_EQ(form.Display(), FECGResult::AnswerPass);
  EXPECT_TRUE(form.pressEscape());  // not shown: the cancel button still answers
  EXPECT_EQ(form.Answer_get(), FECGResult::AnswerRepeat);
}

TEST_F(EcgResultTest, DetailedResultShowsTheCommentLockedAndRefusesOtherData) {
  auto object = platform::components::components().create("orvelTRX440.XDetailedResult");
  auto control = std::dynamic_pointer_cast<XDetailedResult>(object);
  ASSERT_TRUE(control);
  auto result = checks();
  result->Comment_let("Lead LL replaced");
  control->Initialize(platform::Variant(std::static_pointer_cast<platform::Object>(result)));
  auto& text = control->hWnd_get()->get<TextBox>("txtComment");
  EXPECT_EQ(text.Text_get(), "Lead LL replaced");
  EXPECT_TRUE(text.Locked_get());
  EXPECT_EQ(text.BackColor_get(), XDetailedResult::ButtonFaceColour);
  result->Comment_let("checked again");
  control->Refresh();
  EXPECT_EQ(text.Text_get(), "checked again");
  EXPECT_EQ(
      expectComError([&] { control->Initialize(platform::Variant(std::string("text"))); }).number(),
      platform::RuntimeError::TypeMismatch);
  EXPECT_EQ(control->Result_get(), result);
}

}  // namespace
