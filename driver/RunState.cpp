#include "driver/RunState.h"

namespace vti {

bool RunState::has(Condition condition) const {
  return (m_conditions & static_cast<uint8_t>(condition)) != 0;
}

void RunState::set(Condition condition, bool on) {
  const auto bit = static_cast<uint8_t>(condition);
  m_conditions = static_cast<uint8_t>(on ? (m_conditions | bit) : (m_conditions & ~bit));
}

void RunState::stopOperation() {
  set(Condition::OperationStopped, true);
  set(Condition::SkipInstructions, true);
}

void RunState::beginOperation() { set(Condition::OperationStopped, false); }

void RunState::skipInstructions(bool skip) { set(Condition::SkipInstructions, skip); }

void RunState::interruptWait() { set(Condition::WaitInterrupted, true); }

void RunState::beginChannelStep() { set(Condition::WaitInterrupted, false); }

void RunState::instrumentFailed(bool failed) { set(Condition::InstrumentFailed, failed); }

bool RunState::testHalted() const {
  return has(Condition::SkipInstructions) || has(Condition::InstrumentFailed);
}

bool RunState::channelHalted() const {
  return has(Condition::InstrumentFailed) || has(Condition::WaitInterrupted);
}

}  // namespace vti
