#pragma once

#include "platform/PlatformExport.h"
#include "platform/ScopedOverride.h"

namespace platform::forms {

class Form;

// Where forms appear and where the operator's actions come from. A form tells the screen it
// was shown on when it is shown, changed and hidden; the screen acts on the form through the
// controls' operator actions.
class ORVEL_PLATFORM_API Screen {
 public:
  virtual ~Screen();  // defined in the library: one virtual table per process
  // May throw (no terminal, no answer): the form's show then fails with that error.
  virtual void formShown(Form& form) = 0;
  virtual void formHidden(Form& form) = 0;
  virtual void formChanged(Form& form) = 0;
};

// The process-wide screen: the one installed by a ScreenOverride, else a console screen on
// the process's standard input and output made on first use.
ORVEL_PLATFORM_API Screen& screen();

// Installs another screen (a scripted one in a test or an unattended run) for its lifetime.
class ORVEL_PLATFORM_API ScreenOverride : public ScopedOverride<Screen*> {
 public:
  explicit ScreenOverride(Screen& replacement);
};

}  // namespace platform::forms
