#pragma once

#include <string>
#include <vector>

namespace platform::forms {

// A form that a program may show during a run, as an answers file can name it: the controls a
// rule can act on (buttons to click, fields to type into or choose in) and the controls whose
// text a rule's "when" can look at.
struct AnswerableForm {
  std::string name;
  std::vector<std::string> controls;
  std::vector<std::string> texts;
};

}  // namespace platform::forms
