#pragma once

#include "platform/PlatformExport.h"

#include <istream>
#include <string>
#include <vector>

#include "platform/forms/ScriptRule.h"

namespace platform::forms {
class AnswersCheck;
}

namespace platform::forms {

// The answers file of an unattended run: one rule per line,
//
//   <form> [when <control> contains "<text>"]: <step>[, <step>...]
//   <step> = [after <n>ms | after <n>s] click <control>
//          | [after ...] type "<text>" into <control>
//          | [after ...] choose "<item>" in <control>
//          | [after ...] wait
//
// "*" as the form answers every form that has no rule of its own. A form's rule without
// "when" is its default. Blank lines and lines starting with "#" are ignored; inside quotes,
// \" stands for a quote and \\ for a backslash.
class ORVEL_PLATFORM_API AnswersFile {
 public:
  // Reads the rules; a line that does not follow the format throws ComError naming the source
  // and the line. With `check`, so does a rule naming a form or control that `check` does not
  // know of.
  static std::vector<ScriptRule> parse(std::istream& in, const std::string& source,
                                       const AnswersCheck* check = nullptr);
  // A file that cannot be opened throws ComError 53.
  static std::vector<ScriptRule> load(const std::string& path, const AnswersCheck* check = nullptr);
};

}  // namespace platform::forms
