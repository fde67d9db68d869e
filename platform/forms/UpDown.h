#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <string>

#include "platform/forms/Control.h"

namespace platform::forms {

// Up and down arrows that step a number between a minimum and a maximum and show it in a buddy
// text box. Each step fires Change.
class ORVEL_PLATFORM_API UpDown : public Control {
 public:
  using Control::Control;
  const char* kind() const override;
  bool canFocus() const override { return true; }

  int32_t Min_get() const { return m_min; }
  void Min_let(int32_t value);
  int32_t Max_get() const { return m_max; }
  void Max_let(int32_t value);
  int32_t Increment_get() const { return m_increment; }
  void Increment_let(int32_t value) { m_increment = value > 0 ? value : 1; }
  int32_t Value_get() const { return m_value; }
  // A value outside minimum and maximum throws ComError 380 and changes nothing.
  void Value_let(int32_t value);
  // The text box that shows the value; empty for none.
  const std::string& BuddyControl_get() const { return m_buddy; }
  void BuddyControl_let(std::string name);

  // Operator steps; false at the limit.
  bool up();
  bool down();
  // Sets the value given as text.
  bool chooseItem(const std::string& value) override;
  std::vector<std::string> visibleTexts() const override;

 private:
  bool step(int64_t delta);
  void showInBuddy();

  int32_t m_min = 0;
  int32_t m_max = 10;
  int32_t m_increment = 1;
  int32_t m_value = 0;
  std::string m_buddy;
};

}  // namespace platform::forms
