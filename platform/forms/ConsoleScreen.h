#pragma once

#include "platform/PlatformExport.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/forms/Screen.h"
#include "platform/forms/TerminalMode.h"

namespace platform::forms {

// Shows forms on a terminal and takes the operator's keys from it. The active form (the last
// shown, topmost forms first) is drawn as a block of lines; when it changes only the lines
// that differ are rewritten in place, so a countdown ticks without flicker. Keys: a button's
// accelerator letter (with Alt while typing in a text field), Enter for the default button,
// Esc for the cancel button, Tab and Shift-Tab between fields, Space to press the focused
// control, arrows to step lists, combos and up-downs. Input is read through the event loop,
// so timers run while the form waits.
class ORVEL_PLATFORM_API ConsoleScreen : public Screen {
 public:
  struct Options {
    bool ansi = true;             // cursor movement allowed: redraw in place
    int width = 80;               // columns
    bool requireTerminal = true;  // refuse to show a form when the input is no terminal
  };
  // Options for output on `fd`: ANSI and its width when it is a terminal.
  static Options optionsFor(int fd);

  ConsoleScreen(int inputFd, std::ostream& out, Options options);
  ~ConsoleScreen() override;

  void formShown(Form& form) override;
  void formHidden(Form& form) override;
  void formChanged(Form& form) override;

  // Handles the keys in `bytes` as if they were typed.
  void feed(const std::string& bytes);

 private:
  Form* activeForm() const;
  void draw();
  void postDraw();
  void readInput();
  void startInput();
  void stopInput();
  void moveFocus(Form& form, int direction);
  void handleKey(Form& form, const std::string& bytes, size_t& i);
  void stopEscapeWait();

  int m_in;
  std::ostream& m_out;
  Options m_options;
  std::vector<Form*> m_forms;  // shown forms, in the order they were shown
  const Form* m_drawnForm = nullptr;
  std::vector<std::string> m_lines;  // what is on the terminal for m_drawnForm
  bool m_drawPosted = false;
  std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
  EventLoop* m_inputLoop = nullptr;
  WatchId m_watch = 0;
  std::unique_ptr<TerminalMode> m_terminal;
  // A lone Esc at the end of a read may be the start of a cursor key whose rest is still on
  // its way (slow ssh link); it counts as Esc only when nothing follows soon.
  EventLoop* m_escapeLoop = nullptr;
  TimerId m_escapeTimer = 0;
};

}  // namespace platform::forms
