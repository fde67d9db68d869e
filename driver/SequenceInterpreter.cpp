#include "driver/SequenceInterpreter.h"

#include <charconv>

#include "driver/CChannel.h"
#include "driver/CMicroSequence.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"
#include "driver/FStopOnPC.h"
#include "driver/MCommands.h"
#include "driver/MError.h"
#include "driver/MProtocol.h"
#include "driver/PolaritySwitch.h"
#include "driver/PowerChangePrompts.h"
#include "driver/RunState.h"

namespace vti {

using namespace MProtocol;
using StopPoint = PowerChangePrompts::StopPoint;

namespace {

// The milliseconds of a "#WAIT=<ms>" directive.
int32_t waitTime(const std::string& directive) {
  size_t eq = directive.find('=');
  int32_t value = 0;
  if (eq != std::string::npos) {
    std::from_chars(directive.data() + eq + 1, directive.data() + directive.size(), value);
  }
  return value;
}

std::string standardCommand(ETrxTestStd standard) {
  switch (standard) {
    case etsAAMI:
      return "STD=AAMI";
    case ets353:
      return "STD=353";
    case etsASNZ:
      return "STD=ASNZ";
    default:
      return "STD=601";
  }
}

bool isInsulationTest(ETrxTestCode code) { return code >= etcIRMains && code <= etcIRAppl2N; }

TrxHold testHold(const CTrxSafetyTest& test, const CTrxTestOptions& options) {
  TrxHold hold;
  hold.testCode = test.TestCode_get();
  hold.powerConfig = test.PowerConfig_get();
  if (isInsulationTest(hold.testCode))
    hold.testVolts = options.TestVoltage_get() == etv_250 ? 250 : 500;
  return hold;
}

}  // namespace

// One run of one test's sequence.
struct SequenceInterpreter::Run {
  const CMicroSequence& sequence;
  ETrxPowerConfiguration pc;
  // The lead nomenclature of the test (the "MAP" follow-up command depends on it).
  ETrxNomenclature leadStd;
  CTrxTestResult& result;
  platform::forms::Form* owner;
};

SequenceInterpreter::SequenceInterpreter(CChannel& channel, const CTrxTestOptions& options,
                                         PowerChangePrompts& prompts, PolaritySwitch& polarity)
    : m_channel(channel),
      m_run(channel.runState()),
      m_options(options),
      m_prompts(prompts),
      m_polarity(polarity) {}

bool SequenceInterpreter::stopped() const {
  return m_run.has(RunState::Condition::OperationStopped);
}

void SequenceInterpreter::raiseAborted(CTrxTestResult& result) {
  result.SetState(etsAborted);
  Raise(errVTI_UserAbort);
}

void SequenceInterpreter::RunSafetyTest(const CTrxSafetyTest& test, CTrxTestResult& result,
                                        platform::forms::Form* owner) {
  auto sequence = test.CreateMicroSequence(m_options);
  checkNoEmptyCommand(*sequence, test.TestCode_get());
  sendStandard();
  m_polarity.beginTest(test.TestCode_get());
  m_testHold = testHold(test, m_options);
  try {
    RunMicroSequence({*sequence, test.PowerConfig_get(), test.LEADSTD_get(), result, owner});
  } catch (...) {
    m_testHold.reset();
    throw;
  }
  m_testHold.reset();
  if (stopped()) {
    sequence->GetResetInstructions(sequence->Count_get());
    raiseAborted(result);
  }
}

void SequenceInterpreter::ZeroLead(CTrxTestResult& result) {
  CMicroSequence sequence;
  sequence.Initialize(etcProtEarth, epcOff, "-1", m_options);
  for (int32_t i = 0; i < sequence.Count_get(); ++i) {
    const std::string instruction = sequence.Instruction(i);
    if (instruction.starts_with("#MANY") || instruction.starts_with("#READ")) {
      ReadMeasurement("ZERO", result, nullptr);
    } else if (!instruction.starts_with("#") && !instruction.empty()) {
      m_channel.TransmitCmd(instruction, kCrLf, false, kAttempts);
    }
    if (stopped()) break;
  }
  if (stopped()) raiseAborted(result);
}

void SequenceInterpreter::checkNoEmptyCommand(const CMicroSequence& sequence,
                                              ETrxTestCode code) const {
  // An empty instruction would go out as a bare line end (a waveform the instrument has no
  // command for leaves "%C" empty); the analyzer's answer to it is undefined, so the test is
  // refused before anything is sent.
  std::string text;
  bool empty = false;
  for (int32_t i = 0; i < sequence.Count_get(); ++i) {
    if (i > 0) text += ';';
    text += sequence.Instruction(i);
    empty = empty || sequence.Instruction(i).empty();
  }
  if (empty) {
    Raise(errVTI_InvalidMuSeq,
          {int32_t(8000 + code), MError::EscapeControlChars(text), std::string("(empty)")});
  }
}

void SequenceInterpreter::sendStandard() {
  std::string reply =
      m_channel.TransmitCmd(standardCommand(m_options.TestStandard_get()), kCrLf, true, kAttempts);
  if (Refused(reply)) RaiseInvalidReply(reply);
}

void SequenceInterpreter::RunMicroSequence(const Run& run) {
  for (int32_t i = 0; i < run.sequence.Count_get(); ++i) {
    const std::string instruction = run.sequence.Instruction(i);
    std::optional<std::string> followUp;
    if (!m_run.has(RunState::Condition::SkipInstructions)) {
      if (stopped()) break;
      if (instruction.starts_with("#")) {
        directive(instruction, i, run);
      } else {
        followUp = command(instruction, run);
      }
    }
    if (stopped()) break;
    if (followUp) SendCommand(*followUp);
    if (stopped()) break;
  }
}

void SequenceInterpreter::directive(const std::string& instruction, int32_t index, const Run& run) {
  if (instruction.starts_with("#STOP")) {
    carryOutStop(index, run);
  } else if (instruction.starts_with("#WAIT")) {
    const int32_t milliseconds = waitTime(instruction);
    announced(TrxHold::Kind::Settling, milliseconds, [&] { m_channel.Wait(milliseconds); });
  } else if (instruction.starts_with("#READ")) {
    ReadMeasurement("READ", run.result, run.owner);
  } else if (instruction.starts_with("#MANY")) {
    ReadMeasurement("MREAD", run.result, run.owner);
  } else if (instruction.starts_with("#DONE")) {
    run.result.SetState(etsCompleted);
  }
  // Other directives are not the analyzer's business.
}

// Sends a command of the sequence; returns the command that must follow it, if any.
std::optional<std::string> SequenceInterpreter::command(const std::string& instruction,
                                                        const Run& run) {
  if (instruction.starts_with("POL=")) {
    m_polarity.SetPolarity(instruction, run.pc, run.owner);
    return std::nullopt;
  }
  if (instruction.starts_with("QUIT")) {
    m_channel.TransmitCmd(kEsc, kCrLf, false, kAttempts);
    m_polarity.requirePrompt();
    m_ecgActive = false;
    return std::nullopt;
  }
  std::string command = instruction;
  if (command == "ECG") m_ecgActive = true;
  if (command == "MAP" && m_options.TestStandard_get() == etsAAMI) command = "LEAD_ISO";
  std::optional<std::string> followUp;
  if (command == "MAP" || command == "LEAD_ISO") {
    followUp = run.leadStd == enomAAMI ? "MAP=1MA" : "MAP=7.5MA";
  }
  SendCommand(command);
  return followUp;
}

void SequenceInterpreter::carryOutStop(int32_t index, const Run& run) {
  const std::string directive = run.sequence.Instruction(index);
  const std::string next = run.sequence.Instruction(index + 1);
  const std::string previous =
      directive.ends_with("APC") ? run.sequence.Instruction(index - 1) : "";
  const bool promptBefore = m_options.PowerOFFScreen_get() == eepo_before;
  auto stop = [&](StopPoint point) {
    m_prompts.HandleStopDirective(directive, run.pc, run.owner, point);
  };
  if (next.starts_with("NEUT=") || next.starts_with("POL=")) {
    stop(StopPoint::BeforePolarity);
  } else if (MCommands::IsPowerOffCommand(next)) {
    if (promptBefore) stop(StopPoint::Ordinary);
  } else if (MCommands::IsPowerOffCommand(previous)) {
    if (!promptBefore) stop(StopPoint::Ordinary);
  } else {
    stop(StopPoint::Ordinary);
  }
}

void SequenceInterpreter::SendCommand(const std::string& command) {
  std::string reply = m_channel.TransmitCmd(command, kCrLf, true, kAttempts);
  if (Refused(reply)) {
    m_channel.Wait(250);
    reply = m_channel.Transmit(command, kCrLf, false, false);
  }
  m_channel.Wait(50);
  if (Refused(reply)) RaiseInvalidReply(reply);
}

std::string SequenceInterpreter::transmitRead(const std::string& command) {
  // As the channel's TransmitCmd, except that the replies a read expects besides a reading
  // ("!21" overflow, "!22" not ready, "!32" no resistance reading) come back to be handled
  // instead of counting as refusals; instrument errors still raise with their text.
  m_channel.Wait(100);
  if (m_channel.TestAbortFlag_get() || stopped()) return {};
  for (int32_t attempt = 1;; ++attempt) {
    std::string reply = m_channel.Transmit(command, kCrLf, false, attempt < kAttempts);
    if (!reply.empty() || stopped() || attempt == kAttempts) return reply;
    if (int32_t pause = CChannel::RetryPause(attempt)) m_channel.Wait(pause);
    if (stopped()) return {};
  }
}

void SequenceInterpreter::ReadMeasurement(const std::string& command, CTrxTestResult& result,
                                          platform::forms::Form* owner) {
  const std::string reply = readingReply(command, owner);
  if (stopped()) return;
  result.SetResult(reply, m_options.MeasType_get(), command);
  // An answer that carries no reading (garbage on the line, an analyzer that never got ready)
  // must not end the test as if it had merely not been performed: the operator is told.
  if (!reply.empty() && result.State_get() == etsNotPerformed) RaiseInvalidReply(reply);
}

// The reply that holds the reading. Without a resistance reading the operator may reconnect the
// lead and have the reading taken again, a bounded number of times so that an answers file that
// always clicks Continue cannot keep a run going forever.
std::string SequenceInterpreter::readingReply(const std::string& command,
                                              platform::forms::Form* owner) {
  for (int32_t repeats = 0;; ++repeats) {
    std::string reply = takeReading(command);
    if (reply != "!32" || command == "ZERO" || stopped()) return reply;
    if (repeats == kNoResistanceRepeats || !askNoResistance(owner)) return reply;
  }
}

// One reading: a not-ready analyzer is asked again after a second.
std::string SequenceInterpreter::takeReading(const std::string& command) {
  std::string reply;
  for (int32_t notReady = 0; notReady < kAttempts && !stopped();) {
    reply = transmitRead(command);
    if (reply == "!22") {
      m_channel.Wait(1000);
      ++notReady;
      continue;
    }
    if (command == "MREAD" && (stopped() || (!reply.empty() && !Refused(reply)))) {
      return endStream(reply);
    }
    // An analyzer without a resistance reading may stream "!32" all the same; the stream, and
    // the test current or voltage with it, ends before the operator handles the test leads.
    if (command == "MREAD" && reply == "!32") stopStream();
    return reply;
  }
  return reply;
}

std::string SequenceInterpreter::endStream(std::string reply) {
  // The analyzer now streams readings; the last one of two seconds is taken, so the reading
  // has settled. An overflow ("!21") is taken as it is: a refusal is no reading and need not
  // start a stream, and waiting for one would end in a missing reply. Stopped while the first
  // reading was awaited, the analyzer may be streaming all the same: the stream is ended
  // without waiting for it.
  int32_t seconds = 2;
  if (!stopped()) {
    announced(TrxHold::Kind::Reading, seconds * 1000,
              [&] { reply = m_channel.ReceiveOneFromMany(seconds); });
  }
  stopStream();
  return reply;
}

void SequenceInterpreter::stopStream() {
  m_channel.Wait(50);
  m_channel.TransmitCmd(kEsc, kCrLf, false, kAttempts);
}

void SequenceInterpreter::announced(TrxHold::Kind kind, int32_t milliseconds,
                                    const std::function<void()>& wait) {
  if (!m_progress || !m_testHold || milliseconds <= 0) {
    wait();
    return;
  }
  TrxHold hold = *m_testHold;
  hold.kind = kind;
  hold.milliseconds = milliseconds;
  m_progress->HoldBegins(hold);
  try {
    wait();
  } catch (...) {
    m_progress->HoldEnds();
    throw;
  }
  m_progress->HoldEnds();
}

bool SequenceInterpreter::askNoResistance(platform::forms::Form* owner) {
  FStopOnPC form;
  form.ShowSkip();
  form.ShowNoResistance(owner);
  const FPowerPrompt::Answer answer = form.Answer_get();
  form.unload();
  if (answer == FPowerPrompt::Answer::Stop) {
    // As the operator's Stop from outside: the operation ends and any wait with it.
    m_run.stopOperation();
    m_channel.Abort();
  }
  // Only Continue repeats: Skip and a countdown that ran out leave the test without a reading,
  // so a run nobody attends never repeats.
  return answer == FPowerPrompt::Answer::Continue;
}

}  // namespace vti
