#include "platform/forms/ScriptRule.h"

namespace platform::forms {

std::string ScriptStep::describe() const {
  std::string what;
  switch (action) {
    case ScriptAction::Click:
      what = "click " + control;
      break;
    case ScriptAction::Type:
      what = "type \"" + text + "\" into " + control;
      break;
    case ScriptAction::Choose:
      what = "choose \"" + text + "\" in " + control;
      break;
    case ScriptAction::Wait:
      what = "wait";
      break;
  }
  if (after.count() == 0) return what;
  return "after " + std::to_string(after.count()) + "ms " + what;
}

}  // namespace platform::forms
