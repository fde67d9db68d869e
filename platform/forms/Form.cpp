#include "platform/forms/Form.h"

#include <algorithm>
#include <cctype>

#include "platform/EventLoop.h"
#include "platform/forms/AcceleratorKey.h"
#include "platform/forms/Button.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/Image.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Toolbar.h"

namespace platform::forms {

Form::Form(std::string name) : m_name(std::move(name)) {}

Form::~Form() {
  *m_alive = false;
  // A screen must never keep a form that no longer exists.
  if (m_visible) notifyHidden();
}

void Form::Caption_let(std::string caption) {
  m_caption = std::move(caption);
  controlChanged();
}

void Form::Topmost_let(bool topmost) {
  m_topmost = topmost;
  controlChanged();
}

void Form::adopt(std::unique_ptr<Control> control) {
  if (find(control->name())) {
    throw ComError(RuntimeError::InvalidProcedureCall, m_name,
                   "The form " + m_name + " already has a control named " + control->name());
  }
  control->attach(this);
  m_controls.push_back(std::move(control));
  controlChanged();
}

Control* Form::find(std::string_view name) const {
  for (const auto& control : m_controls) {
    if (control->name() == name) return control.get();
  }
  return nullptr;
}

Control& Form::control(std::string_view name) const {
  if (Control* found = find(name)) return *found;
  throw ComError(errControlNotFound, m_name,
                 "The form " + m_name + " has no control named " + std::string(name));
}

ComError Form::wrongKind(const Control& control) const {
  return ComError(RuntimeError::TypeMismatch, m_name,
                  "The control " + control.name() + " of the form " + m_name + " is a " +
                      control.kind() + ", not of the kind asked for");
}

void Form::show(FormShow mode, Form* owner) {
  if (m_visible) {
    if (mode == FormShow::Modal) {
      throw ComError(errFormAlreadyShown, m_name,
                     "The form " + m_name + " is already shown and cannot be shown modally");
    }
    return;
  }
  m_owner = owner;
  m_modal = mode == FormShow::Modal;
  m_visible = true;
  m_screen = &screen();
  try {
    m_screen->formShown(*this);
  } catch (...) {
    m_visible = false;
    m_screen = nullptr;
    throw;
  }
  if (!m_modal) return;
  std::shared_ptr<bool> alive = m_alive;
  try {
    loop().processUntil([this, alive] { return !*alive || !m_visible; });
  } catch (...) {
    // Whatever went wrong inside the form's wait, the form must not stay up unanswered.
    if (*alive) hide();
    throw;
  }
}

void Form::hide() {
  if (!m_visible) return;
  m_visible = false;
  notifyHidden();
}

void Form::notifyHidden() {
  Screen* shownOn = m_screen;
  m_screen = nullptr;
  if (shownOn) shownOn->formHidden(*this);
}

void Form::unload() {
  hide();
  for (const auto& control : m_controls) control->unloaded();
  m_unload();
}

bool Form::setFocus(Control& control) {
  if (control.form() != this || !control.canFocus() || !control.available()) return false;
  if (m_focused == &control) return true;
  Control* previous = m_focused;
  m_focused = &control;
  if (previous) previous->fireLostFocus();
  control.fireGotFocus();
  controlChanged();
  return true;
}

Button* Form::defaultButton() const {
  for (const auto& control : m_controls) {
    auto* button = dynamic_cast<Button*>(control.get());
    if (button && button->Default_get()) return button;
  }
  return nullptr;
}

Button* Form::cancelButton() const {
  for (const auto& control : m_controls) {
    auto* button = dynamic_cast<Button*>(control.get());
    if (button && button->Cancel_get()) return button;
  }
  return nullptr;
}

bool Form::pressAccelerator(char key) {
  char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
  if (wanted == 0) return false;
  for (const auto& control : m_controls) {
    if (control->available() && acceleratorKey(control->Caption_get()) == wanted) {
      setFocus(*control);
      return control->click();
    }
    // A toolbar's buttons carry accelerators of their own: on a console they are the only way
    // to reach them.
    auto* toolbar = dynamic_cast<Toolbar*>(control.get());
    if (!toolbar || !toolbar->available()) continue;
    for (const auto& button : toolbar->buttons()) {
      if (button.visible && button.enabled && acceleratorKey(button.caption) == wanted) {
        return toolbar->chooseItem(button.key);
      }
    }
  }
  return false;
}

bool Form::pressEnter() {
  Button* button = defaultButton();
  return button && button->click();
}

bool Form::pressEscape() {
  Button* button = cancelButton();
  return button && button->click();
}

std::vector<std::string> Form::visibleTexts() const {
  std::vector<std::string> texts;
  for (const auto& control : m_controls) {
    if (!control->Visible_get()) continue;
    for (const auto& text : control->visibleTexts()) {
      texts.push_back(control->name() + ": " + displayCaption(text));
    }
  }
  return texts;
}

std::vector<std::string> Form::readableTexts() const {
  std::vector<std::string> texts;
  for (const auto& control : m_controls) {
    if (!control->Visible_get() || dynamic_cast<const Image*>(control.get()) ||
        dynamic_cast<const Button*>(control.get()))
      continue;
    for (const auto& text : control->visibleTexts()) {
      std::string shown = displayCaption(text);
      if (shown.empty() || shown == displayCaption(Caption_get())) continue;
      if (std::find(texts.begin(), texts.end(), shown) == texts.end()) texts.push_back(shown);
    }
  }
  return texts;
}

void Form::controlChanged() {
  if (m_visible && m_screen) m_screen->formChanged(*this);
}

void Form::optionSelected(OptionButton& selected) {
  for (const auto& control : m_controls) {
    auto* option = dynamic_cast<OptionButton*>(control.get());
    if (option && option != &selected && option->Group_get() == selected.Group_get()) {
      option->Value_let(false);
    }
  }
}

}  // namespace platform::forms
