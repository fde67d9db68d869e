#include "driver/SessionCloser.h"

#include "driver/CChannel.h"
#include "driver/CTrxTestOptions.h"
#include "driver/MError.h"
#include "driver/MProtocol.h"
#include "driver/PowerChangePrompts.h"
#include "driver/SequenceInterpreter.h"
#include "platform/ErrorBoundary.h"
#include "platform/forms/MessageBox.h"

namespace vti {

using namespace MProtocol;
using StopPoint = PowerChangePrompts::StopPoint;

namespace {

constexpr const char* kGroundFaultText = "21914::Ground Fault Interrupt tripped";
constexpr uint32_t kStat1NoTestMode = 0x1;      // STAT1
constexpr uint32_t kStat3GroundFault = 0x4000;  // STAT3

}  // namespace

SessionCloser::SessionCloser(CChannel& channel, const CTrxTestOptions& options,
                             PowerChangePrompts& prompts, SequenceInterpreter& interpreter)
    : m_channel(channel), m_options(options), m_prompts(prompts), m_interpreter(interpreter) {}

std::string SessionCloser::sendOnce(const std::string& command) {
  return m_channel.Transmit(command, kCrLf, false, false);
}

void SessionCloser::EndSession(platform::forms::Form* owner) {
  const bool promptBefore = m_options.PowerOFFScreen_get() == eepo_before;
  platform::IgnoreErrors(
      [&] { m_prompts.HandleStopDirective("#STOP=BPC", epcOff, owner, StopPoint::Ordinary); });
  if (m_channel.TransmitReceiveFlag_get()) {
    // The last command went unanswered: ask nothing more, but still tell the analyzer to go
    // local, in case the line came back.
    m_channel.TransmitReceiveFlag_let(false);
    SendFinalLocal(1);
    return;
  }
  leaveTestMode(owner);
  if (promptBefore) {
    platform::IgnoreErrors(
        [&] { m_prompts.HandleStopDirective("#STOP=BPC", epcOff, owner, StopPoint::Closing); });
  }
  bool local = false;
  platform::IgnoreErrors([&] {
    m_channel.Wait(50);
    local = sendOnce("LOCAL") == kAck;
  });
  // A LOCAL lost on the line would leave the analyzer under remote control with its outlet as
  // the test left it; it is sent once more, without waiting this time.
  if (!local) SendFinalLocal(1);
}

void SessionCloser::leaveTestMode(platform::forms::Form* owner) {
  if (m_interpreter.ecgActive()) {
    platform::IgnoreErrors([&] {
      m_channel.Wait(50);
      sendOnce(kEsc);
    });
    m_interpreter.setEcgActive(false);
  }
  platform::IgnoreErrors([&] {
    m_channel.Wait(50);
    if ((StatusWord(sendOnce("STAT1")) & kStat1NoTestMode) == 0) {
      m_channel.Wait(50);
      sendOnce("EXIT");
    }
  });
  platform::IgnoreErrors([&] { resetGroundFault(owner); });
}

void SessionCloser::resetGroundFault(platform::forms::Form* owner) {
  m_channel.Wait(50);
  if ((StatusWord(sendOnce("STAT3")) & kStat3GroundFault) == 0) return;
  platform::IgnoreErrors([&] {
    platform::forms::msgBox(MError::TranslateText(kGroundFaultText), kModel,
                            platform::forms::MessageButtons::OK, platform::forms::MessageIcon::None,
                            owner);
  });
  m_channel.Wait(50);
  sendOnce("GFIR");
}

void SessionCloser::SendFinalLocal(int32_t attempts) {
  // Whatever went wrong, an analyzer that still listens goes back to local operation with its
  // outlet off. The channel's error flag stays as it was for the caller.
  const bool stopped = m_channel.TestAbortFlag_get();
  m_channel.TestAbortFlag_let(false);
  platform::IgnoreErrors([&] { m_channel.Wait(50); });
  platform::IgnoreErrors([&] { m_channel.TransmitCmd("LOCAL", {}, false, attempts); });
  m_channel.TestAbortFlag_let(stopped || m_channel.TestAbortFlag_get());
}

}  // namespace vti
