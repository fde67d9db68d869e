#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "driver/CPowerConfig.h"
#include "driver/TrxProgress.h"
#include "driver/TrxTypes.h"
#include "host_api/IInstrumentData.h"
#include "platform/Object.h"
#include "platform/serial/SerialPort.h"

namespace platform::forms {
class Form;
}

namespace vti {

class CChannel;
class CTrxSafetyTest;
class CTrxTestOptions;
class CTrxTestResult;
class PolaritySwitch;
class PowerChangePrompts;
class RunState;
class SequenceInterpreter;
class SessionCloser;

// The connection to one analyzer: opens remote control on a serial port, runs safety tests one
// at a time by interpreting their micro sequences, zeroes the test lead and closes the
// connection again, leaving the analyzer in local mode with its equipment outlet off.
//
// Failures of the public operations are shown to the operator once (a message box) and then
// reach the caller as errVTI_Error; an operator's Stop reaches the caller as errVTI_UserAbort
// with nothing shown. Prompts and waits run the event loop, so Abort, FlagAbort and
// StopFlagForAPScreen_let may be called from events while an operation runs; a second
// operation started that way fails with errVTI_Busy.
//
// This header, with the other C* classes, TrxTypes.h and the M* modules an application calls,
// is the library's public surface. The parts a connection is built of internally (RunState,
// SequenceInterpreter, PolaritySwitch, PowerChangePrompts, SessionCloser, MProtocol) are not: their
// headers say so, and they may change without notice to applications.
class CTrxVti : public platform::Object {
 public:
  CTrxVti();
  ~CTrxVti() override;
  CTrxVti(const CTrxVti&) = delete;
  CTrxVti& operator=(const CTrxVti&) = delete;

  ETrxVtiState State_get() const { return m_state; }
  // The host's record of the connected instrument; null until a connection read its identity.
  std::shared_ptr<host_api::IInstrumentData> MtiData_get() const { return m_mtiData; }
  std::shared_ptr<CTrxTestOptions> TestOptions_get() const { return m_options; }
  // The result of the last test or calibration.
  std::shared_ptr<CTrxTestResult> TestResult_get() const { return m_result; }

  // The observer told of the waits of every test run on this connection (what is applied, for
  // how long); null, the default, for none.
  std::shared_ptr<TrxProgress> Progress_get() const { return m_progress; }
  void Progress_set(std::shared_ptr<TrxProgress> progress);

  // Stops the running operation at its next step; ends any wait at once.
  void Abort();
  // Opens the connection on serial port `lPort`; 0 takes the port the host assigned to the
  // model "TRX440", and without one the connection stays closed (no error).
  void InitRemote(int32_t lPort);
  // Opens the connection on a port made by the caller: a device path
  // (MPortTable::CreatePort) or one end of a VirtualSerialLink.
  void InitRemote(std::shared_ptr<platform::serial::SerialPort> port);
  // Closes the connection; never fails. Prompts show above `objfrmTestGuide` (may be null).
  // Called from an event while another operation runs, it stops that operation, which then
  // closes the connection as it ends.
  void EndRemote(platform::forms::Form* objfrmTestGuide = nullptr);
  // False when the analyzer is not in high-voltage mode; in that mode it fails (errVTI_Error
  // after message 902).
  bool InHighVoltageMode();
  // Zeroes the resistance test lead; true on success, false after a failure reported as such.
  bool Calibrate();
  // Runs one test; its outcome is in TestResult_get() afterwards.
  void RunSafetyTest(const std::shared_ptr<CTrxSafetyTest>& cetTest,
                     platform::forms::Form* objfrmTestGuide = nullptr);
  // Whether the operator stopped or the instrument refused a command or stopped answering.
  bool FlagAbort() const;
  // Whether the command switches the outlet off before it measures.
  bool ChkCmdAppPODelay(const std::string& sCommandName) const;
  // Sets the stop flag: the remaining instructions of the running test are skipped.
  void StopFlagForAPScreen_let(bool value);

 private:
  void entryChecks() const;
  // Connects through `openPort`, which opens the channel and returns false when there is no
  // port to open (the connection then stays closed without an error).
  void connect(const std::function<bool()>& openPort);
  void initRemoteSteps(const std::function<bool()>& openPort);
  void enterRemote();
  // Ends the connection step under way when the connection was closed meanwhile.
  void checkStopped() const;
  void closeAfterFailedConnect();
  void ReadIdentity();
  // Runs the steps of a public operation on an open connection: its one error boundary.
  void runOperation(const std::function<void()>& steps);
  // Ends a public operation: idle again, and closed when EndRemote was called meanwhile.
  void endOperation();

  // Reports a failure of a public operation once and raises errVTI_Error, or errVTI_UserAbort
  // silently when the operator stopped.
  [[noreturn]] void HandleSessionError(int32_t number, const std::string& source,
                                       const std::string& description) const;
  [[noreturn]] void handleCurrentError() const;

  RunState& runState() const;

  std::unique_ptr<CChannel> m_channel;
  std::shared_ptr<host_api::IInstrumentData> m_mtiData;
  std::shared_ptr<CTrxTestOptions> m_options;
  CPowerConfig m_power;
  std::shared_ptr<CTrxTestResult> m_result;
  ETrxVtiState m_state = evsClosed;
  // The internal parts that run tests on the connection.
  std::unique_ptr<PowerChangePrompts> m_prompts;
  std::unique_ptr<PolaritySwitch> m_polarity;
  std::unique_ptr<SequenceInterpreter> m_interpreter;
  std::unique_ptr<SessionCloser> m_closer;
  std::shared_ptr<TrxProgress> m_progress;
  bool m_closing = false;
  // EndRemote was called from an event while an operation ran; that operation closes.
  bool m_closeRequested = false;
  platform::forms::Form* m_closeOwner = nullptr;
};

}  // namespace vti
