#include "driver/PolaritySwitch.h"

#include <cctype>

#include "driver/CChannel.h"
#include "driver/CPowerConfig.h"
#include "driver/CTrxTestOptions.h"
#include "driver/MProtocol.h"
#include "driver/PowerChangePrompts.h"
#include "driver/RunState.h"

namespace vti {

using namespace MProtocol;

namespace {

constexpr uint32_t kStat2OutletOn = 0x8;
constexpr uint32_t kStat2Reversed = 0x200;

// The polarity letter of a "POL=" instruction, upper case.
std::string polarityLetter(const std::string& instruction) {
  const char letter = instruction.size() > 4 ? instruction[4] : ' ';
  return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
}

}  // namespace

// One requested change, with the options as they stood when it was asked for.
struct PolaritySwitch::Change {
  std::string letter;
  ETrxPowerConfiguration pc;
  bool offNow;
  // The analyzer answered the status query (an empty answer means it was not asked).
  bool statusKnown;
  bool promptBefore;
  bool stopBefore;
};

PolaritySwitch::PolaritySwitch(CChannel& channel, const CTrxTestOptions& options,
                               const CPowerConfig& power, PowerChangePrompts& prompts)
    : m_channel(channel),
      m_run(channel.runState()),
      m_options(options),
      m_power(power),
      m_prompts(prompts) {}

bool PolaritySwitch::KeepsPolarity(ETrxTestCode code) {
  return (code >= etcMains && code <= etcIRAppl2N) || (code >= etcPPVolt && code <= etcPPLeak) ||
         code == etcAltEquip || code == etcAltAppl;
}

void PolaritySwitch::beginTest(ETrxTestCode code) {
  if (KeepsPolarity(code)) forget();
}

bool PolaritySwitch::PromptDue(const Memory& memory, ETrxPowerConfiguration current,
                               ETrxPowerConfiguration next, bool offNow) {
  const bool openNeutral = CPowerConfig::IsOpenNeutral(current);
  return memory.forcePrompt ||
         (memory.lastToggleOff != offNow && !openNeutral && !CPowerConfig::IsOpenNeutral(next)) ||
         (CPowerConfig::IsPowered(next) && !openNeutral && memory.lastToggleOff && offNow);
}

void PolaritySwitch::SetPolarity(const std::string& instruction, ETrxPowerConfiguration pc,
                                 platform::forms::Form* owner) {
  const std::string letter = polarityLetter(instruction);
  const std::string statusText = m_channel.TransmitCmd("STAT2", kCrLf, true, kAttempts);
  const uint32_t status = StatusWord(statusText);
  const bool on = (status & kStat2OutletOn) != 0;
  const bool reversed = (status & kStat2Reversed) != 0;
  const bool offNow = m_power.WillToggleOff(pc);
  if (m_memory.last.empty()) remember(letter, offNow);
  if ((letter == "N" && on && !reversed) || (letter == "R" && on && reversed)) {
    // Already there: nothing is switched, and nothing is told.
    remember(letter, offNow);
    if (letter == "N") m_memory.forcePrompt = false;
    return;
  }
  const Change change{letter,
                      pc,
                      offNow,
                      !statusText.empty(),
                      m_options.PowerOFFScreen_get() == eepo_before,
                      m_options.StopBeforeNewPC_get()};
  switchOver(instruction, change, owner);
  m_memory.last = letter;
}

void PolaritySwitch::switchOver(const std::string& instruction, const Change& change,
                                platform::forms::Form* owner) {
  bool announced = false;
  if (change.promptBefore && change.statusKnown && announcementDue(change)) {
    announce(change, owner);
    announced = true;
  }
  bool offAcknowledged = false;
  if (!halted()) {
    offAcknowledged = m_channel.TransmitCmd("POL=OFF", kCrLf, true, kAttempts) == kAck;
    if (offAcknowledged && announced) m_channel.Wait(1000);
  }
  if (offAcknowledged && !change.promptBefore && announcementDue(change)) announce(change, owner);
  if (!halted()) sendPolarity(instruction);
}

bool PolaritySwitch::announcementDue(const Change& change) const {
  return change.letter != m_memory.last && !change.stopBefore &&
         PromptDue(m_memory, m_power.Power_get(), change.pc, change.offNow);
}

void PolaritySwitch::announce(const Change& change, platform::forms::Form* owner) {
  m_prompts.HandleStopDirective("#POL", change.pc, owner, PowerChangePrompts::StopPoint::Ordinary);
  remember(change.letter, change.offNow);
  m_memory.forcePrompt = false;
}

void PolaritySwitch::sendPolarity(const std::string& instruction) {
  std::string reply = m_channel.Transmit(instruction, kCrLf, true, false);
  if (Refused(reply)) {
    // The analyzer may still be switching; it asks for its polarity delay between changes.
    m_channel.Wait(m_options.PolaritySwitchingDelay_get() * 1000);
    m_channel.TransmitCmd(instruction, kCrLf, false, kAttempts);
  }
}

void PolaritySwitch::remember(const std::string& letter, bool offNow) {
  m_memory.last = letter;
  m_memory.lastToggleOff = offNow;
}

bool PolaritySwitch::halted() const {
  return m_run.has(RunState::Condition::SkipInstructions) ||
         m_run.has(RunState::Condition::OperationStopped);
}

}  // namespace vti
