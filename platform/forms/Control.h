#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/Event.h"

namespace platform::forms {

class Form;

// Turns one caption into the text shown (the host's translation plugs in here).
using Translator = std::function<std::string(const std::string&)>;

// Colour value that leaves the screen's own colour in place.
constexpr int32_t kDefaultColour = -1;

// Key codes that controls receive besides printable characters.
constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;

// A named control of a form. The properties every kind shares live here; each kind adds its
// own. Setting a property tells the form, which tells the screen showing it to redraw.
// Operator actions (click, typeKey, chooseItem) are what a screen calls on behalf of the
// operator: they are refused on a control that is hidden or disabled, as on a real screen.
class ORVEL_PLATFORM_API Control {
 public:
  explicit Control(std::string name);
  virtual ~Control();  // defined in the library: one virtual table per process
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return m_name; }
  // The kind's name ("Label", "Button", ...), for journals and messages.
  // Each control class defines it in the library, so its virtual table exists once per process.
  virtual const char* kind() const = 0;
  Form* form() const { return m_form; }

  const std::string& Caption_get() const { return m_caption; }
  void Caption_let(std::string caption);
  bool Visible_get() const { return m_visible; }
  void Visible_let(bool visible);
  bool Enabled_get() const { return m_enabled; }
  void Enabled_let(bool enabled);
  const std::string& ToolTipText_get() const { return m_toolTip; }
  void ToolTipText_let(std::string text);
  int32_t ForeColor_get() const { return m_foreColor; }
  void ForeColor_let(int32_t colour);
  int32_t BackColor_get() const { return m_backColor; }
  void BackColor_let(int32_t colour);
  const std::string& Tag_get() const { return m_tag; }
  void Tag_let(std::string tag) { m_tag = std::move(tag); }

  void onClick(std::function<void()> handler) { m_click.connect(std::move(handler)); }
  void onChange(std::function<void()> handler) { m_change.connect(std::move(handler)); }
  // The handler may set the key to 0 to refuse it.
  void onKeyPress(std::function<void(int& key)> handler) { m_keyPress.connect(std::move(handler)); }
  void onGotFocus(std::function<void()> handler) { m_gotFocus.connect(std::move(handler)); }
  void onLostFocus(std::function<void()> handler) { m_lostFocus.connect(std::move(handler)); }

  // Whether the operator can reach the control: visible and enabled.
  bool available() const { return m_visible && m_enabled; }
  virtual bool canFocus() const { return false; }

  // Operator actions; each returns whether it was taken.
  virtual bool click();
  virtual bool typeKey(int key);
  virtual bool chooseItem(const std::string& keyOrText);

  // The texts the operator sees on this control, in reading order.
  virtual std::vector<std::string> visibleTexts() const;
  // Runs every caption of the control through the translator.
  virtual void translateCaptions(const Translator& translate);

 protected:
  // What the control shows has changed.
  void changed();
  void fireClick() { m_click(); }
  void fireChange() { m_change(); }
  // Offers the key to the KeyPress handlers; false when one refused it.
  bool offerKey(int& key);
  // The form was unloaded: stop whatever runs on its own (timers).
  virtual void unloaded() {}
  // Enabled was switched (a timer starts or stops with it).
  virtual void enabledChanged() {}

 private:
  friend class Form;
  void attach(Form* form) { m_form = form; }
  void fireGotFocus() { m_gotFocus(); }
  void fireLostFocus() { m_lostFocus(); }

  std::string m_name;
  Form* m_form = nullptr;
  std::string m_caption;
  bool m_visible = true;
  bool m_enabled = true;
  std::string m_toolTip;
  int32_t m_foreColor = kDefaultColour;
  int32_t m_backColor = kDefaultColour;
  std::string m_tag;
  Event<> m_click;
  Event<> m_change;
  Event<int&> m_keyPress;
  Event<> m_gotFocus;
  Event<> m_lostFocus;
};

}  // namespace platform::forms
