#include "platform/forms/Label.h"

namespace platform::forms {

const char* Label::kind() const { return "Label"; }

}  // namespace platform::forms
