#pragma once

#include "platform/PlatformExport.h"

#include <string>
#include <vector>

#include "platform/EventLoop.h"

namespace platform::forms {

enum class ScriptAction { Click, Type, Choose, Wait };

// One thing a scripted operator does, `after` the form showed or the previous step was done.
struct ORVEL_PLATFORM_API ScriptStep {
  Milliseconds after{0};
  ScriptAction action = ScriptAction::Wait;
  std::string control;
  std::string text;  // typed text or chosen item

  // As written in an answers file ("click cmdContinue", "type \"12\" into txtValue").
  std::string describe() const;
};

// How a scripted operator answers a form: when the form named `form` shows ("*" for any form)
// and, if `whenControl` is set, that control shows a text containing `contains`, do the steps.
// No steps means: leave the form alone, for instance to let its countdown run out.
struct ORVEL_PLATFORM_API ScriptRule {
  std::string form;
  std::string whenControl;
  std::string contains;
  std::vector<ScriptStep> steps;
};

}  // namespace platform::forms
