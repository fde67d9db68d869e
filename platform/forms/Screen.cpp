#include "platform/forms/Screen.h"

#include <unistd.h>

#include <iostream>

#include "platform/forms/ConsoleScreen.h"

namespace platform::forms {

namespace {
Screen*& installedScreen() {
  static Screen* current = nullptr;
  return current;
}
}  // namespace

Screen& screen() {
  Screen*& current = installedScreen();
  if (!current) {
    static ConsoleScreen console(STDIN_FILENO, std::cout, ConsoleScreen::optionsFor(STDOUT_FILENO));
    current = &console;
  }
  return *current;
}

ScreenOverride::ScreenOverride(Screen& replacement)
    : ScopedOverride(installedScreen(), &replacement) {}

Screen::~Screen() = default;

}  // namespace platform::forms
