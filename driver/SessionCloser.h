#pragma once

#include <cstdint>
#include <string>

namespace platform::forms {
class Form;
}

namespace vti {

class CChannel;
class CTrxTestOptions;
class PowerChangePrompts;
class SequenceInterpreter;

// Internal to the driver library (not part of its public header surface).
//
// The last words of a connection: whatever state a test left the analyzer in, it ends a running
// waveform, leaves the test mode, resets a tripped ground fault and goes back to local operation
// with its outlet off. Every step ignores its own failure, so a broken line can never keep the
// steps after it from running.
class SessionCloser {
 public:
  SessionCloser(CChannel& channel, const CTrxTestOptions& options, PowerChangePrompts& prompts,
                SequenceInterpreter& interpreter);

  // The closing conversation with the analyzer; prompts show above `owner` (may be null).
  void EndSession(platform::forms::Form* owner);
  // Sends LOCAL without waiting for an answer, `attempts` times at most when unanswered, also
  // after the channel stopped sending because of an error.
  void SendFinalLocal(int32_t attempts);

 private:
  void leaveTestMode(platform::forms::Form* owner);
  void resetGroundFault(platform::forms::Form* owner);
  // Sends a command once and returns its reply unchecked.
  std::string sendOnce(const std::string& command);

  CChannel& m_channel;
  const CTrxTestOptions& m_options;
  PowerChangePrompts& m_prompts;
  SequenceInterpreter& m_interpreter;
};

}  // namespace vti
