#pragma once

#include <ostream>
#include <string>

#include "driver/TrxProgress.h"
#include "platform/EventLoop.h"

namespace trxctl {

// Shows on the terminal what a running test applies while the analyzer holds it, with the
// seconds left, rewritten in place once a second and cleared when the hold ends:
//
//     Insulation, mains to earth: 500 V applied, 7 s left
//
// The countdown is a timer of the event loop the driver waits on. Holds shorter than a second
// are not shown: a line that flashes up and goes is noise, not progress.
class HoldCountdown : public vti::TrxProgress {
 public:
  explicit HoldCountdown(std::ostream& out);
  ~HoldCountdown() override;
  HoldCountdown(const HoldCountdown&) = delete;
  HoldCountdown& operator=(const HoldCountdown&) = delete;

  void HoldBegins(const vti::TrxHold& hold) override;
  void HoldEnds() override;

  // What the hold applies, in words: "Insulation, mains to earth: 500 V applied".
  static std::string describe(const vti::TrxHold& hold);

 private:
  void show();

  std::ostream& m_out;
  std::string m_text;
  platform::TimePoint m_end;
  platform::TimerId m_timer = 0;
  bool m_shown = false;
};

}  // namespace trxctl
