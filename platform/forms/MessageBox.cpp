#include "platform/forms/MessageBox.h"

#include "platform/forms/Button.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"

namespace platform::forms {

namespace {
const char* pictureOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return "information";
    case MessageIcon::Warning:
      return "warning";
    case MessageIcon::Exclamation:
      return "exclamation";
    case MessageIcon::Error:
      return "error";
    case MessageIcon::None:
      break;
  }
  return "";
}
}  // namespace

MessageBox::MessageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                       MessageIcon icon)
    : Form(kFormName) {
  Caption_let(caption);
  std::vector<Layout> body;
  if (icon != MessageIcon::None) {
    add<Image>("imgIcon").Picture_let(pictureOf(icon));
    body.push_back(Layout::control("imgIcon"));
  }
  add<Label>(kMessage).Caption_let(text);
  body.push_back(Layout::control(kMessage));
  std::vector<Layout> row;
  switch (buttons) {
    case MessageButtons::OK:
      addButton(kOK, "&OK", vbOK);
      row = {Layout::control(kOK)};
      m_escapeAnswer = vbOK;
      get<Button>(kOK).Cancel_let(true);
      break;
    case MessageButtons::OKCancel:
      addButton(kOK, "&OK", vbOK);
      addButton(kCancel, "&Cancel", vbCancel);
      row = {Layout::control(kOK), Layout::control(kCancel)};
      get<Button>(kCancel).Cancel_let(true);
      break;
    case MessageButtons::YesNo:
      addButton(kYes, "&Yes", vbYes);
      addButton(kNo, "&No", vbNo);
      row = {Layout::control(kYes), Layout::control(kNo)};
      m_escapeAnswer = vbNo;
      get<Button>(kNo).Cancel_let(true);
      break;
  }
  dynamic_cast<Button&>(control(row.front().text())).Default_let(true);
  Layout_let(Layout::column({Layout::row(std::move(body)), Layout::row(std::move(row))}));
}

void MessageBox::addButton(const char* name, const char* caption, MsgBoxResult result) {
  auto& button = add<Button>(name);
  button.Caption_let(caption);
  button.onClick([this, result] {
    m_answer = result;
    hide();
  });
}

AnswerableForm MessageBox::answerable() {
  return {kFormName, {kOK, kCancel, kYes, kNo}, {kMessage}};
}

int32_t MessageBox::display(Form* owner) {
  m_answer = 0;
  show(FormShow::Modal, owner);
  if (m_answer == 0) m_answer = m_escapeAnswer;
  return m_answer;
}

int32_t msgBox(const std::string& text, const std::string& caption, MessageButtons buttons,
               MessageIcon icon, Form* owner) {
  MessageBox box(text, caption, buttons, icon);
  return box.display(owner);
}

}  // namespace platform::forms
