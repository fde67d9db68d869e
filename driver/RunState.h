#pragma once

#include <cstdint>

namespace vti {

// Internal to the driver library (not part of its public header surface).
//
// The stop and abort state of one connection, shared by the connection (CTrxVti), its
// interpreter and its channel. Four conditions, each with its own reach, because an operator's
// Stop, a halted instrument and an interrupted wait end different amounts of work:
//
// - WaitInterrupted: the channel's current wait (a reply, a pause, output draining) ends now.
//   Set by CChannel::Abort (and so by CTrxVti::Abort). Cleared by the channel itself when it
//   starts its next command, its next pause, or opens a port, so it never outlives the wait it
//   was meant for. Tested by the channel's wait loops and by TransmitCmd (nothing more is sent).
// - InstrumentFailed: the instrument refused a command, gave no reply or an invalid one. Set by
//   the channel when it raises such an error; cleared by whoever starts a new operation
//   (CChannel::TestAbortFlag_let(false)) and restored around the closing LOCAL. Tested by
//   TransmitCmd, which sends nothing more while it is set, and by CTrxVti::FlagAbort.
// - SkipInstructions: the remaining instructions of the running test are skipped. Set by the
//   operator's Stop, by the plug-in's StopFlagForAPScreen_let(true) and when the analyzer
//   refused remote control after an instrument error. Cleared only by a new connection and by
//   StopFlagForAPScreen_let(false): a test started after a Stop runs none of its instructions
//   until the plug-in clears it. Tested by the interpreter, the polarity switch and FlagAbort.
// - OperationStopped: the running operation ends at its next step and reports the user abort.
//   Set by the operator's Stop (CTrxVti::Abort, Stop Test on a power prompt, the no-resistance
//   prompt, EndRemote from an event). Cleared when a connection, a test or a calibration starts.
//   Tested by the connection steps, the interpreter, readings and the polarity switch.
class RunState {
 public:
  enum class Condition : uint8_t {
    WaitInterrupted = 1 << 0,
    InstrumentFailed = 1 << 1,
    SkipInstructions = 1 << 2,
    OperationStopped = 1 << 3,
  };

  bool has(Condition condition) const;
  bool none() const { return m_conditions == 0; }

  // The operator's Stop: the operation ends and its remaining instructions are skipped. The
  // channel's wait is ended separately (interruptWait), only when the Stop came from outside.
  void stopOperation();
  // A new connection, test or calibration: a Stop of an earlier one does not end it.
  void beginOperation();
  void skipInstructions(bool skip);

  void interruptWait();
  // The channel starts a command or a pause: an interruption meant for the last one is spent.
  void beginChannelStep();

  void instrumentFailed(bool failed);

  // What the plug-in sees as FlagAbort: the test was stopped or the instrument halted it.
  bool testHalted() const;
  // Whether the channel must send nothing more for now.
  bool channelHalted() const;

 private:
  void set(Condition condition, bool on);

  uint8_t m_conditions = 0;
};

}  // namespace vti
