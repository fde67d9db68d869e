#include "platform/forms/TerminalMode.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

namespace platform::forms {

namespace {
// What the signal handlers need to put the terminal back; plain data, safe to read there.
int g_fd = -1;
termios g_saved{};
struct sigaction g_previous[3];
constexpr int kSignals[3] = {SIGINT, SIGTERM, SIGHUP};

void restoreTerminal() {
  if (g_fd < 0) return;
  tcsetattr(g_fd, TCSANOW, &g_saved);
  static const char showCursor[] = "\x1b[?25h";
  (void)!write(STDOUT_FILENO, showCursor, sizeof showCursor - 1);
}

void onSignal(int signal) {
  restoreTerminal();
  g_fd = -1;
  ::signal(signal, SIG_DFL);
  raise(signal);
}
}  // namespace

TerminalMode::TerminalMode(int fd) : m_fd(fd) {
  if (g_fd >= 0 || !isatty(fd) || tcgetattr(fd, &g_saved) != 0) return;
  termios raw = g_saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(fd, TCSANOW, &raw) != 0) return;
  g_fd = fd;
  m_active = true;
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &g_previous[i]);
}

TerminalMode::~TerminalMode() {
  if (!m_active) return;
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &g_previous[i], nullptr);
  if (g_fd == m_fd) tcsetattr(m_fd, TCSANOW, &g_saved);
  g_fd = -1;
}

}  // namespace platform::forms
