#include "apps/trxctl/HoldCountdown.h"

#include <chrono>

#include "apps/common/EnumNames.h"

namespace trxctl {

namespace {

// Rewrites the current terminal line: back to its start, and the rest of it erased.
constexpr const char* kLineStart = "\r";
constexpr const char* kEraseRest = "\x1b[K";

}  // namespace

HoldCountdown::HoldCountdown(std::ostream& out) : m_out(out) {}

HoldCountdown::~HoldCountdown() {
  if (m_timer) platform::loop().stopTimer(m_timer);
}

std::string HoldCountdown::describe(const vti::TrxHold& hold) {
  std::string text = apps::EnumNames::testCodeWords(hold.testCode);
  if (hold.testVolts == 0 && hold.powerConfig != vti::epcOff) {
    text += ", " + apps::EnumNames::powerConfigWords(hold.powerConfig);
  }
  text += ": ";
  if (hold.testVolts > 0) {
    text += std::to_string(hold.testVolts) + " V applied";
    if (hold.kind == vti::TrxHold::Kind::Reading) text += ", reading";
  } else if (hold.kind == vti::TrxHold::Kind::Reading) {
    text += "reading";
  } else {
    // The ECG test's pause is the waveform being generated, not a settling time.
    text += hold.testCode == vti::etcECGTest ? "waveform running" : "settling";
  }
  return text;
}

void HoldCountdown::HoldBegins(const vti::TrxHold& hold) {
  HoldEnds();
  if (hold.milliseconds < 1000) return;
  auto& loop = platform::loop();
  m_text = describe(hold);
  m_end = loop.now() + std::chrono::milliseconds(hold.milliseconds);
  show();
  m_timer = loop.startRepeating(std::chrono::seconds(1), [this] { show(); });
}

void HoldCountdown::HoldEnds() {
  if (m_timer) platform::loop().stopTimer(m_timer);
  m_timer = 0;
  if (!m_shown) return;
  m_out << kLineStart << kEraseRest << std::flush;
  m_shown = false;
}

void HoldCountdown::show() {
  const auto left = m_end - platform::loop().now();
  // Whole seconds, rounded up: the line never says 0 while the analyzer still holds.
  const auto seconds = std::chrono::ceil<std::chrono::seconds>(left).count();
  if (seconds <= 0) return;
  m_out << kLineStart << m_text << ", " << seconds << " s left" << kEraseRest << std::flush;
  m_shown = true;
}

}  // namespace trxctl
