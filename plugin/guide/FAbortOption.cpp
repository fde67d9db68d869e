#include "plugin/guide/FAbortOption.h"

#include "platform/forms/Button.h"
#include "platform/forms/FormTools.h"
#include "platform/forms/Label.h"
#include "plugin/guide/MDialogTools.h"

namespace plugin {

FAbortOption::FAbortOption() : Form(kFormName) {
  using namespace platform::forms;
  Caption_let(MDialogTools::WindowTitle);
  add<Label>(kQuestion).Caption_let("20216::Do you want to abort the test?");
  auto& yes = add<Button>(kYes);
  yes.Caption_let("3::&Yes");
  yes.Default_let(true);
  yes.onClick([this] { answer(kAnswerYes); });
  auto& no = add<Button>(kNo);
  no.Caption_let("4::&No");
  no.Cancel_let(true);
  no.onClick([this] { answer(kAnswerNo); });
  Layout_let(Layout::column(
      {Layout::control(kQuestion), Layout::row({Layout::control(kYes), Layout::control(kNo)})}));
  MDialogTools::TranslateCaptions(*this);
}

bool FAbortOption::QueryAbortTest(platform::forms::Form* frmOwner) {
  // Asked again, the question starts from No: only a fresh Yes aborts.
  m_answer = kAnswerNo;
  platform::forms::placeTopmost(*this);
  show(platform::forms::FormShow::Modal, frmOwner);
  return m_answer == kAnswerYes;
}

void FAbortOption::answer(int32_t given) {
  m_answer = given;
  hide();
}

}  // namespace plugin
