#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <string>

#include "platform/forms/AnswerableForm.h"
#include "platform/forms/Form.h"

namespace platform::forms {

enum class MessageButtons { OK, YesNo, OKCancel };
enum class MessageIcon { None, Information, Warning, Exclamation, Error };

// The answers, numbered as callers of message boxes expect them.
enum MsgBoxResult : int32_t { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

// A message box is a form like any other: "MessageBox" with the icon imgIcon, the text
// lblMessage and the buttons cmdOK, cmdCancel, cmdYes, cmdNo as its buttons ask for. The first
// button is the default; Esc answers Cancel, or No when there is no Cancel. Texts arrive
// translated: the box shows them as they are.
class ORVEL_PLATFORM_API MessageBox : public Form {
 public:
  static constexpr const char* kFormName = "MessageBox";
  static constexpr const char* kMessage = "lblMessage";
  static constexpr const char* kOK = "cmdOK";
  static constexpr const char* kCancel = "cmdCancel";
  static constexpr const char* kYes = "cmdYes";
  static constexpr const char* kNo = "cmdNo";

  MessageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
             MessageIcon icon);

  // Shows the box modally and returns the answer. A box closed without a button (unloaded by
  // its owner) answers as Esc would, never as the affirmative button.
  int32_t display(Form* owner = nullptr);
  int32_t answer() const { return m_answer; }

  // The name, every button any box may have, and the text, for checking an answers file.
  static AnswerableForm answerable();

 private:
  void addButton(const char* name, const char* caption, MsgBoxResult result);

  int32_t m_answer = 0;
  int32_t m_escapeAnswer = vbCancel;
};

// Shows a message box and returns its answer.
ORVEL_PLATFORM_API int32_t msgBox(const std::string& text, const std::string& caption,
                                  MessageButtons buttons = MessageButtons::OK,
                                  MessageIcon icon = MessageIcon::None, Form* owner = nullptr);

}  // namespace platform::forms
