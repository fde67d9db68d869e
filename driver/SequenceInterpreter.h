#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "driver/TrxProgress.h"
#include "driver/TrxTypes.h"

namespace platform::forms {
class Form;
}

namespace vti {

class CChannel;
class CMicroSequence;
class CTrxSafetyTest;
class CTrxTestOptions;
class CTrxTestResult;
class PolaritySwitch;
class PowerChangePrompts;
class RunState;

// Internal to the driver library (not part of its public header surface).
//
// Runs a test's micro sequence on an open connection: directives ("#STOP", "#WAIT", "#READ",
// "#MANY", "#DONE") are carried out here, polarity changes go to the polarity switch, and every
// other instruction goes to the analyzer as it stands. Readings end in the test's result. It
// stops at the next instruction once the operation is stopped, and skips the remaining ones
// while instructions are to be skipped (see RunState).
class SequenceInterpreter {
 public:
  // How often one reading is taken again on the operator's Continue after "no resistance".
  static constexpr int32_t kNoResistanceRepeats = 5;

  SequenceInterpreter(CChannel& channel, const CTrxTestOptions& options,
                      PowerChangePrompts& prompts, PolaritySwitch& polarity);

  // Runs `test`; raises errVTI_UserAbort, with the result marked aborted, when it was stopped.
  void RunSafetyTest(const CTrxSafetyTest& test, CTrxTestResult& result,
                     platform::forms::Form* owner);
  // Zeroes the resistance test lead; raises errVTI_UserAbort when it was stopped.
  void ZeroLead(CTrxTestResult& result);

  // Whether the analyzer was left generating an ECG waveform, which must be ended on closing.
  bool ecgActive() const { return m_ecgActive; }
  void setEcgActive(bool active) { m_ecgActive = active; }

  // The observer told of the waits of a running test; null for none. Not owned.
  void setProgress(TrxProgress* progress) { m_progress = progress; }

 private:
  struct Run;

  void RunMicroSequence(const Run& run);
  void directive(const std::string& instruction, int32_t index, const Run& run);
  std::optional<std::string> command(const std::string& instruction, const Run& run);
  void carryOutStop(int32_t index, const Run& run);
  void checkNoEmptyCommand(const CMicroSequence& sequence, ETrxTestCode code) const;
  void sendStandard();
  void SendCommand(const std::string& command);
  void ReadMeasurement(const std::string& command, CTrxTestResult& result,
                       platform::forms::Form* owner);
  std::string readingReply(const std::string& command, platform::forms::Form* owner);
  std::string takeReading(const std::string& command);
  std::string endStream(std::string reply);
  void stopStream();
  std::string transmitRead(const std::string& command);
  // Shows the no-resistance prompt; true when the operator asked for the reading again.
  bool askNoResistance(platform::forms::Form* owner);
  [[noreturn]] void raiseAborted(CTrxTestResult& result);
  bool stopped() const;
  // Carries out `wait`, a wait of `milliseconds`, with the progress observer told of it while a
  // test runs.
  void announced(TrxHold::Kind kind, int32_t milliseconds, const std::function<void()>& wait);

  CChannel& m_channel;
  RunState& m_run;
  const CTrxTestOptions& m_options;
  PowerChangePrompts& m_prompts;
  PolaritySwitch& m_polarity;
  bool m_ecgActive = false;
  TrxProgress* m_progress = nullptr;
  // What the running test applies; empty outside a test (zeroing the lead holds nothing).
  std::optional<TrxHold> m_testHold;
};

}  // namespace vti
