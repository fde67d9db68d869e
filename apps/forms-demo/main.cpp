// Shows a sample operator prompt on the terminal (or answers it from an answers file) so that
// the forms runtime can be seen and tried without an analyzer.
#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

#include "SampleForm.h"
#include "platform/ComError.h"
#include "platform/forms/ScriptedScreen.h"

using namespace platform::forms;

int main(int argc, char** argv) {
  CLI::App app{"Shows a sample operator prompt with a countdown on the terminal."};
  int seconds = 90;
  std::string answers;
  app.add_option("-s,--seconds", seconds, "Length of the countdown")->check(CLI::Range(1, 3600));
  app.add_option("-a,--answers", answers, "Answer the prompt from this answers file instead")
      ->check(CLI::ExistingFile);
  CLI11_PARSE(app, argc, argv);

  std::unique_ptr<ScriptedScreen> scripted;
  std::unique_ptr<ScreenOverride> useScripted;
  try {
    if (!answers.empty()) {
      scripted = std::make_unique<ScriptedScreen>();
      scripted->loadAnswers(answers);
      useScripted = std::make_unique<ScreenOverride>(*scripted);
    }
    SampleForm form(seconds);
    form.show(FormShow::Modal);
    if (scripted) std::cout << scripted->journalText();
    const char* names[] = {"Continue", "", "Repeat", "Stop Test"};
    std::cout << "\nAnswer: " << names[form.answer()] << "; " << form.choices() << "\n";
    return form.answer() == SampleForm::Stop ? 1 : 0;
  } catch (const platform::ComError& error) {
    if (scripted) std::cout << scripted->journalText();
    std::cerr << "orvel-forms-demo: " << error.description() << "\n";
    return 2;
  }
}
