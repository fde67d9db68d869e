#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform::forms {
class Form;
}

namespace host_api {

class ITestElement;
class ITestRun;

// Ids of the guide toolbar's buttons. A plug-in adds buttons of its own with ids from
// FirstCustom on.
namespace GuideButton {
constexpr int32_t Abort = 101;
constexpr int32_t Previous = 102;
constexpr int32_t Next = 103;
constexpr int32_t Stop = 201;
constexpr int32_t Start = 202;
constexpr int32_t RunChildren = 203;
constexpr int32_t NotPerformed = 301;
constexpr int32_t Skip = 302;
constexpr int32_t Info = 401;
constexpr int32_t FirstCustom = 900;
}  // namespace GuideButton

// What the toolbar lets the operator do while a plug-in's guide shows an element:
// idle (abort, start and the buttons that leave the guide), initialising (nothing while the
// instrument is prepared), running (abort, stop) and stopping (nothing until the run has ended).
enum class GuideToolbarState { Idle, Initialising, Running, Stopping };

// The host's toolbar of a test guide, with the guide's status line under it. It only shows:
// which of the buttons that leave the guide are offered is the plug-in's choice
// (ButtonEnabled_let), and every click is handed to the plug-in with the button's id.
class ORVEL_HOST_API IGuideToolbar {
 public:
  virtual ~IGuideToolbar();

  // Puts the toolbar ("xtbGuide") and the status line ("lblStatus") on the guide's form, with
  // the captions in the current language. Once per toolbar.
  virtual void Attach(platform::forms::Form& form) = 0;
  // The run and the element the guide was opened for.
  virtual void TestRun_set(ITestRun* testRun) = 0;
  virtual void Owner_set(const std::shared_ptr<ITestElement>& owner) = 0;
  // Adds a button of the plug-in; `caption` is shown as it stands (already translated).
  virtual void AddCustomButton(int32_t id, const std::string& caption) = 0;

  virtual GuideToolbarState State_get() const = 0;
  virtual void State_let(GuideToolbarState state) = 0;
  // Whether the plug-in offers a button. A button is clickable when it is offered and the
  // state allows it: abort, start, info and the plug-in's buttons follow the state; the
  // buttons that leave the guide are clickable only while idle.
  virtual bool ButtonEnabled_get(int32_t id) const = 0;
  virtual void ButtonEnabled_let(int32_t id, bool enabled) = 0;
  // Whether the button can be clicked now.
  virtual bool ButtonClickable(int32_t id) const = 0;
  // The checked state of a button that has one ("Next" set: starting goes on to the next
  // element at once).
  virtual bool ButtonValue_get(int32_t id) const = 0;
  virtual void ButtonValue_let(int32_t id, bool value) = 0;

  virtual std::string StatusText_get() const = 0;
  virtual void StatusText_let(const std::string& text) = 0;

  // Called with the button's id for every click on a clickable button.
  virtual void onButtonClick(std::function<void(int32_t id)> handler) = 0;
};

}  // namespace host_api
