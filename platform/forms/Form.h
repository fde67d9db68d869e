#pragma once

#include "platform/PlatformExport.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ComError.h"
#include "platform/Object.h"
#include "platform/forms/Control.h"
#include "platform/forms/Layout.h"

namespace platform::forms {

class Button;
class OptionButton;
class Screen;

enum class FormShow { Modeless, Modal };

// A form: named controls, a caption and a layout, shown on the current screen. Showing it
// modally waits on the event loop until it is hidden, so timers, serial data and other forms
// keep running meanwhile; a modal form shown from inside another one nests.
class ORVEL_PLATFORM_API Form : public Object {
 public:
  explicit Form(std::string name);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return m_name; }
  const std::string& Caption_get() const { return m_caption; }
  void Caption_let(std::string caption);
  bool Topmost_get() const { return m_topmost; }
  void Topmost_let(bool topmost);
  bool Visible_get() const { return m_visible; }
  bool modal() const { return m_modal; }
  Form* owner() const { return m_owner; }

  // Adds a control; names are unique within the form.
  template <typename T, typename... Args>
  T& add(std::string name, Args&&... args) {
    auto control = std::make_unique<T>(std::move(name), std::forward<Args>(args)...);
    T& ref = *control;
    adopt(std::move(control));
    return ref;
  }
  Control* find(std::string_view name) const;
  // The named control; a missing name or another kind throws ComError.
  Control& control(std::string_view name) const;
  template <typename T>
  T& get(std::string_view name) const {
    Control& found = control(name);
    if (auto* typed = dynamic_cast<T*>(&found)) return *typed;
    throw wrongKind(found);
  }
  const std::vector<std::unique_ptr<Control>>& controls() const { return m_controls; }

  void Layout_let(Layout layout) { m_layout = std::move(layout); }
  const std::optional<Layout>& Layout_get() const { return m_layout; }

  // Shows the form on the current screen. Modal: returns once the form is hidden again (or
  // throws what the screen or an event handler threw, with the form hidden).
  void show(FormShow mode = FormShow::Modeless, Form* owner = nullptr);
  void hide();
  // Hides the form, stops its timers and tells the Unload handlers.
  void unload();
  void onUnload(std::function<void()> handler) { m_unload.connect(std::move(handler)); }

  Control* focused() const { return m_focused; }
  // Moves the focus, firing LostFocus and GotFocus. Returns false for a control that cannot
  // take it.
  bool setFocus(Control& control);

  Button* defaultButton() const;
  Button* cancelButton() const;
  // Operator keys: the control whose caption has the accelerator, the default button, the
  // cancel button. Each returns whether something was done.
  bool pressAccelerator(char key);
  bool pressEnter();
  bool pressEscape();

  // "name: text" for every text the operator sees on the form, in the order of its controls.
  std::vector<std::string> visibleTexts() const;
  // The texts a person reads on the form, for writing it out where nobody sees the form itself
  // (a log, a pipe): no control names, no pictures, no buttons, no text twice nor the caption
  // again. A message box is its message.
  std::vector<std::string> readableTexts() const;

  // Redraws after items of a list, tree or grid were edited directly.
  void refresh() { controlChanged(); }

  // Called by the controls: what the form shows has changed.
  void controlChanged();
  // Called by an option button that was selected: the others of its group are cleared.
  void optionSelected(OptionButton& selected);

 private:
  void adopt(std::unique_ptr<Control> control);
  ComError wrongKind(const Control& control) const;
  void notifyHidden();

  std::string m_name;
  std::string m_caption;
  bool m_topmost = false;
  bool m_visible = false;
  bool m_modal = false;
  Form* m_owner = nullptr;
  Screen* m_screen = nullptr;  // the screen showing the form, while it is visible
  std::vector<std::unique_ptr<Control>> m_controls;
  std::optional<Layout> m_layout;
  Control* m_focused = nullptr;
  Event<> m_unload;
  std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace platform::forms
