#include "platform/forms/ConsoleScreen.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/ComError.h"
#include "platform/forms/Button.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/ConsoleRenderer.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/ListView.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/UpDown.h"

namespace platform::forms {

namespace {
const char* const kSource = "platform.ConsoleScreen";
constexpr Milliseconds kEscapeWait{100};
}  // namespace

ConsoleScreen::Options ConsoleScreen::optionsFor(int fd) {
  Options options;
  const char* term = std::getenv("TERM");
  options.ansi = isatty(fd) && term && std::strcmp(term, "dumb") != 0;
  winsize size{};
  if (isatty(fd) && ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
    options.width = size.ws_col;
  }
  return options;
}

ConsoleScreen::ConsoleScreen(int inputFd, std::ostream& out, Options options)
    : m_in(inputFd), m_out(out), m_options(options) {}

ConsoleScreen::~ConsoleScreen() {
  *m_alive = false;
  stopEscapeWait();
  stopInput();
}

void ConsoleScreen::stopEscapeWait() {
  if (!m_escapeLoop) return;
  m_escapeLoop->stopTimer(m_escapeTimer);
  m_escapeLoop = nullptr;
}

Form* ConsoleScreen::activeForm() const {
  for (auto it = m_forms.rbegin(); it != m_forms.rend(); ++it) {
    if ((*it)->Topmost_get()) return *it;
  }
  return m_forms.empty() ? nullptr : m_forms.back();
}

void ConsoleScreen::formShown(Form& form) {
  if (m_options.requireTerminal && !isatty(m_in)) {
    throw ComError(errNoTerminal, kSource,
                   "The form \"" + form.Caption_get() +
                       "\" needs an answer from the operator, but the standard input is not a "
                       "terminal. Run the program in a terminal, or answer its forms with an "
                       "answers file.");
  }
  m_forms.push_back(&form);
  if (m_forms.size() == 1) startInput();
  draw();
}

void ConsoleScreen::formHidden(Form& form) {
  m_forms.erase(std::remove(m_forms.begin(), m_forms.end(), &form), m_forms.end());
  if (m_drawnForm == &form) {
    m_drawnForm = nullptr;
    m_lines.clear();
  }
  if (m_forms.empty()) {
    stopInput();
  } else {
    draw();
  }
}

void ConsoleScreen::formChanged(Form& form) {
  if (&form == activeForm()) postDraw();
}

void ConsoleScreen::postDraw() {
  if (m_drawPosted) return;
  m_drawPosted = true;
  std::shared_ptr<bool> alive = m_alive;
  // Many properties change at once (a tick sets a label and a progress bar): draw once after.
  loop().post([this, alive] {
    if (*alive) draw();
  });
}

void ConsoleScreen::draw() {
  m_drawPosted = false;
  Form* form = activeForm();
  if (!form) return;
  std::vector<std::string> lines = ConsoleRenderer(m_options.width).render(*form);
  std::string text;
  if (form != m_drawnForm || m_lines.empty()) {
    // A new block below whatever the terminal shows already.
    text += "\n";
    for (const auto& line : lines) text += line + "\n";
  } else if (m_options.ansi) {
    text += "\r\x1b[" + std::to_string(m_lines.size()) + "A";
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i >= m_lines.size() || lines[i] != m_lines[i]) text += "\x1b[2K" + lines[i];
      text += "\n";
    }
    if (lines.size() < m_lines.size()) text += "\x1b[J";
  } else {
    // Without cursor movement, print only what changed, so the log stays readable.
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i >= m_lines.size() || lines[i] != m_lines[i]) text += lines[i] + "\n";
    }
  }
  m_out << text << std::flush;
  m_drawnForm = form;
  m_lines = std::move(lines);
}

void ConsoleScreen::startInput() {
  m_terminal = std::make_unique<TerminalMode>(m_in);
  if (m_options.ansi) m_out << "\x1b[?25l" << std::flush;
  m_inputLoop = &loop();
  m_watch = m_inputLoop->watchRead(m_in, [this] { readInput(); });
}

void ConsoleScreen::stopInput() {
  if (!m_inputLoop) return;
  m_inputLoop->unwatch(m_watch);
  m_inputLoop = nullptr;
  if (m_options.ansi) m_out << "\x1b[?25h" << std::flush;
  m_terminal.reset();
}

void ConsoleScreen::readInput() {
  char buffer[64];
  ssize_t count = ::read(m_in, buffer, sizeof buffer);
  if (count > 0) {
    feed(std::string(buffer, static_cast<size_t>(count)));
    return;
  }
  if (count < 0 && (errno == EAGAIN || errno == EINTR)) return;
  // The terminal is gone (closed input, dropped connection): nobody can answer the form, so
  // its wait must end with an error rather than last for ever.
  stopInput();
  Form* form = activeForm();
  throw ComError(errNoTerminal, kSource,
                 "The terminal input closed while the form \"" +
                     (form ? form->Caption_get() : std::string()) + "\" waited for an answer");
}

void ConsoleScreen::feed(const std::string& bytes) {
  std::string input = bytes;
  if (m_escapeLoop) {
    stopEscapeWait();
    input.insert(0, 1, '\x1b');
  }
  size_t i = 0;
  while (i < input.size()) {
    if (input[i] == '\x1b' && i + 1 == input.size()) {
      m_escapeLoop = &loop();
      m_escapeTimer = m_escapeLoop->startTimer(kEscapeWait, [this] {
        m_escapeLoop = nullptr;
        if (Form* form = activeForm()) form->pressEscape();
      });
      return;
    }
    Form* form = activeForm();
    if (!form) return;
    handleKey(*form, input, i);
  }
}

void ConsoleScreen::moveFocus(Form& form, int direction) {
  std::vector<Control*> reachable;
  for (const auto& control : form.controls()) {
    if (control->canFocus() && control->available()) reachable.push_back(control.get());
  }
  if (reachable.empty()) return;
  auto at = std::find(reachable.begin(), reachable.end(), form.focused());
  long index = at == reachable.end() ? (direction > 0 ? -1 : 0) : at - reachable.begin();
  long count = static_cast<long>(reachable.size());
  form.setFocus(*reachable[static_cast<size_t>(((index + direction) % count + count) % count)]);
}

void ConsoleScreen::handleKey(Form& form, const std::string& bytes, size_t& i) {
  const unsigned char key = static_cast<unsigned char>(bytes[i++]);
  Control* focused = form.focused();
  auto* text = dynamic_cast<TextBox*>(focused);
  if (key == 0x1b) {
    if (i < bytes.size() && (bytes[i] == '[' || bytes[i] == 'O')) {
      // A cursor key or Shift-Tab: ESC [ <parameters> <final letter>.
      size_t end = i + 1;
      while (end < bytes.size() && !std::isalpha(static_cast<unsigned char>(bytes[end]))) ++end;
      char final = end < bytes.size() ? bytes[end] : 0;
      i = std::min(end + 1, bytes.size());
      int step = final == 'A' ? -1 : final == 'B' ? 1 : 0;
      if (final == 'Z') moveFocus(form, -1);
      if (step == 0) return;
      if (auto* upDown = dynamic_cast<UpDown*>(focused)) {
        step < 0 ? upDown->up() : upDown->down();
      } else if (auto* combo = dynamic_cast<ComboBox*>(focused)) {
        int32_t next = combo->ListIndex_get() + step;
        if (next >= 0 && next < combo->ListCount_get()) combo->chooseItem(combo->List_get(next));
      } else if (auto* list = dynamic_cast<ListView*>(focused)) {
        int32_t next = list->SelectedIndex_get() + step;
        if (next >= 0 && next < static_cast<int32_t>(list->items().size())) {
          list->chooseItem(list->items()[static_cast<size_t>(next)].text);
        }
      } else {
        moveFocus(form, step);
      }
    } else if (i < bytes.size() && std::isprint(static_cast<unsigned char>(bytes[i]))) {
      form.pressAccelerator(bytes[i++]);  // Alt+letter
    } else {
      form.pressEscape();
    }
  } else if (key == '\r' || key == '\n') {
    if (auto* button = dynamic_cast<Button*>(focused)) {
      button->click();
    } else {
      form.pressEnter();
    }
  } else if (key == '\t') {
    moveFocus(form, 1);
  } else if (key == 127 || key == kKeyBackspace) {
    if (text) text->typeKey(kKeyBackspace);
  } else if (text && key >= 32) {
    text->typeKey(key);
  } else if (key == ' ' && focused) {
    focused->click();
  } else if (std::isprint(key)) {
    form.pressAccelerator(static_cast<char>(key));
  }
}

}  // namespace platform::forms
