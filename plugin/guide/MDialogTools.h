#pragma once

#include <string>

#include "platform/MessageText.h"
#include "platform/forms/Form.h"

namespace plugin {

// What the operator dialogs of a run share: the window title, translation of their texts and
// their modal display over the test guide.
namespace MDialogTools {

inline constexpr const char* WindowTitle = "20000::TRX440 Safety Analyzer";
// The answer buttons the dialogs share.
inline constexpr const char* ContinueCaption = "20010::C&ontinue";
inline constexpr const char* StopCaption = "20011::Stop &Test";

// A message text translated for the plug-in, its placeholders filled; the English default when
// no host translates.
std::string Translate(const std::string& messageText, const platform::Parameters& params = {});
// Translates the captions of every control of `form`, once, when it is made.
void TranslateCaptions(platform::forms::Form& form);
// Sets the caption of the label `name` of `form` to a translated message.
void SetLabel(platform::forms::Form& form, const char* name, const std::string& messageText,
              const platform::Parameters& params = {});
// Shows `form` modally over `owner`, placed above every window when the host keeps its test
// guide on top (a question hidden behind the guide would stall the run unseen).
void ShowOverGuide(platform::forms::Form& form, platform::forms::Form* owner);

}  // namespace MDialogTools
}  // namespace plugin
