#include "driver/CTrxVti.h"

#include "driver/CChannel.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"
#include "driver/MCommands.h"
#include "driver/MError.h"
#include "driver/MProtocol.h"
#include "driver/MResources.h"
#include "driver/PolaritySwitch.h"
#include "driver/PowerChangePrompts.h"
#include "driver/RunState.h"
#include "driver/SequenceInterpreter.h"
#include "driver/SessionCloser.h"
#include "host_api/HostServices.h"
#include "platform/ComError.h"
#include "platform/ErrorBoundary.h"
#include "platform/forms/MessageBox.h"

namespace vti {

using namespace MProtocol;

namespace {

constexpr const char* kClassName = MProtocol::kSource;
constexpr int32_t kUnknownErrorMessage = 21900;

// Status bits of the analyzer.
constexpr uint32_t kStatReadyForRemote = 0x4;   // STAT
constexpr uint32_t kStat2HighVoltage = 0x3040;  // STAT2

std::vector<std::string> splitFields(const std::string& text, char separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t pos; (pos = text.find(separator, start)) != std::string::npos; start = pos + 1) {
    fields.push_back(text.substr(start, pos - start));
  }
  fields.push_back(text.substr(start));
  return fields;
}

int32_t assignedPort() {
  auto& services = host_api::hostServicesSlot();
  if (!services || !services->newInstrumentRegistry) return 0;
  auto registry = services->newInstrumentRegistry();
  return registry ? registry->AssignedPort(kModel) : 0;
}

}  // namespace

CTrxVti::CTrxVti()
    : m_channel(std::make_unique<CChannel>()),
      m_options(std::make_shared<CTrxTestOptions>()),
      m_result(std::make_shared<CTrxTestResult>()),
      m_prompts(std::make_unique<PowerChangePrompts>(*m_options, m_power, runState())),
      m_polarity(std::make_unique<PolaritySwitch>(*m_channel, *m_options, m_power, *m_prompts)),
      m_interpreter(
          std::make_unique<SequenceInterpreter>(*m_channel, *m_options, *m_prompts, *m_polarity)),
      m_closer(
          std::make_unique<SessionCloser>(*m_channel, *m_options, *m_prompts, *m_interpreter)) {}

CTrxVti::~CTrxVti() {
  // A connection dropped without EndRemote still leaves the analyzer local with its outlet off.
  if (m_state != evsClosed) EndRemote(nullptr);
}

RunState& CTrxVti::runState() const { return m_channel->runState(); }

void CTrxVti::Abort() {
  runState().stopOperation();
  m_channel->Abort();
}

bool CTrxVti::FlagAbort() const { return runState().testHalted(); }

bool CTrxVti::ChkCmdAppPODelay(const std::string& sCommandName) const {
  return MCommands::IsPowerOffCommand(sCommandName);
}

void CTrxVti::StopFlagForAPScreen_let(bool value) { runState().skipInstructions(value); }

void CTrxVti::entryChecks() const {
  if (m_state == evsClosed) Raise(errVTI_NotOpen, {int32_t(m_channel->Port_get())});
  if (m_state == evsBusy || m_state == evsConnecting) Raise(errVTI_Busy);
}

// ---------------------------------------------------------------------------------------------
// Errors at the public boundary

void CTrxVti::HandleSessionError(int32_t number, const std::string& source,
                                 const std::string& description) const {
  (void)source;
  std::string text = description;
  if (!MError::IsVtiError(number)) {
    text = MError::TranslateText(MResources::LoadResString(kUnknownErrorMessage),
                                 {number, description});
  }
  if (number != errVTI_Error && number != errVTI_UserAbort) {
    // The operator must learn of the failure even if the box cannot be shown; the error still
    // reaches the caller.
    platform::IgnoreErrors([&] {
      platform::forms::msgBox(text, kModel, platform::forms::MessageButtons::OK,
                              platform::forms::MessageIcon::Exclamation);
    });
  }
  throw platform::ComError(number == errVTI_UserAbort ? errVTI_UserAbort : errVTI_Error, kClassName,
                           text);
}

void CTrxVti::handleCurrentError() const {
  platform::ComError error = platform::CurrentError(kClassName);
  HandleSessionError(error.number(), error.source(), error.description());
}

// ---------------------------------------------------------------------------------------------
// Connecting and closing

void CTrxVti::InitRemote(int32_t lPort) {
  connect([this, lPort]() {
    int32_t port = lPort == 0 ? assignedPort() : lPort;
    if (port <= 0) return false;
    m_channel->OpenPort(port);
    return true;
  });
}

void CTrxVti::InitRemote(std::shared_ptr<platform::serial::SerialPort> port) {
  connect([this, port]() {
    // Without a port number, the channel's messages name the device.
    m_channel->OpenPort(port, 0);
    return true;
  });
}

void CTrxVti::connect(const std::function<bool()>& openPort) {
  runState().skipInstructions(false);
  m_channel->TestAbortFlag_let(false);
  if (m_state != evsClosed) Raise(errVTI_AlreadyOpen, {int32_t(m_channel->Port_get())});
  try {
    initRemoteSteps(openPort);
  } catch (...) {
    // A close asked for meanwhile is done by the failure path.
    m_closeRequested = false;
    closeAfterFailedConnect();
    handleCurrentError();
  }
}

void CTrxVti::checkStopped() const {
  // Closing the connection while it is being made ends it after the step under way.
  if (runState().has(RunState::Condition::OperationStopped)) Raise(errVTI_UserAbort);
}

void CTrxVti::initRemoteSteps(const std::function<bool()>& openPort) {
  m_state = evsConnecting;
  runState().beginOperation();
  m_power.Power_let(epcOff);
  if (!openPort()) {
    m_state = evsClosed;
    return;
  }
  checkStopped();
  m_channel->TransmitCmd(kEsc, kCrLf, false, kAttempts);
  m_channel->Wait(250);
  checkStopped();
  enterRemote();
  m_channel->TransmitCmd("RPTIME=" + std::to_string(m_options->PolaritySwitchingDelay_get()), kCrLf,
                         true, kAttempts);
  m_channel->Wait(10);
  checkStopped();
  ReadIdentity();
  checkStopped();
  m_state = evsIdle;
}

// Puts the analyzer under remote control unless it already is.
void CTrxVti::enterRemote() {
  uint32_t status = StatusWord(m_channel->TransmitCmd("STAT", kCrLf, true, kAttempts));
  checkStopped();
  if ((status & kStatReadyForRemote) != 0) return;
  m_channel->Wait(30);
  std::string reply = m_channel->TransmitCmd("REMOTE", kCrLf, true, kAttempts);
  checkStopped();
  if (reply == kAck) return;
  // An instrument error behind the refusal stays visible through FlagAbort.
  const bool failed = m_channel->TestAbortFlag_get();
  runState().skipInstructions(failed);
  if (failed) m_channel->TestAbortFlag_let(false);
  RaiseInvalidReply(reply);
}

void CTrxVti::closeAfterFailedConnect() {
  if (m_channel->State_get() != evsClosed) {
    // Unanswered, LOCAL goes out as often as any command is tried.
    m_closer->SendFinalLocal(kAttempts);
    platform::IgnoreErrors([&] { m_channel->ClosePort(); });
  }
  m_state = evsClosed;
}

void CTrxVti::ReadIdentity() {
  m_channel->Wait(50);
  std::string reply = m_channel->TransmitCmd("IDENT", kCrLf, true, kAttempts);
  std::vector<std::string> fields = splitFields(reply, ',');
  if (fields.size() < 2) RaiseInvalidReply(reply);
  std::string serialNumber = m_channel->TransmitCmd("SN", kCrLf, true, kAttempts);
  auto& services = host_api::hostServicesSlot();
  if (services && services->newInstrumentData) {
    m_mtiData = services->newInstrumentData();
    m_mtiData->SetModel(kModel, 0);
    m_mtiData->SetIdentity(fields[0], serialNumber, fields[1]);
  }
}

void CTrxVti::EndRemote(platform::forms::Form* objfrmTestGuide) {
  m_polarity->forget();
  if (m_closing) return;
  m_closing = true;
  if (m_state == evsConnecting || m_state == evsBusy) {
    // Called from an event while an operation runs: that operation is further down the stack
    // and cannot go on before this call returns, so waiting here for it would never end. It is
    // stopped instead, and closes the connection itself on its way out.
    m_closeRequested = true;
    m_closeOwner = objfrmTestGuide;
    Abort();
    m_closing = false;
    return;
  }
  if (m_state != evsClosed) m_closer->EndSession(objfrmTestGuide);
  platform::IgnoreErrors([&] { m_channel->ClosePort(); });
  m_state = evsClosed;
  m_power.Power_let(epcOff);
  m_closing = false;
}

// ---------------------------------------------------------------------------------------------
// Operations on an open connection

void CTrxVti::runOperation(const std::function<void()>& steps) {
  try {
    steps();
    endOperation();
  } catch (...) {
    endOperation();
    handleCurrentError();
  }
}

void CTrxVti::endOperation() {
  if (m_state == evsBusy) m_state = evsIdle;
  if (m_closeRequested) {
    m_closeRequested = false;
    EndRemote(m_closeOwner);
  }
}

bool CTrxVti::InHighVoltageMode() {
  entryChecks();
  m_channel->TestAbortFlag_let(false);
  m_state = evsBusy;
  runOperation([this] {
    m_channel->Wait(50);
    uint32_t status = StatusWord(m_channel->TransmitCmd("STAT2", kCrLf, false, kAttempts));
    if (status & kStat2HighVoltage) Raise(errVTI_Busy);
  });
  return false;
}

bool CTrxVti::Calibrate() {
  entryChecks();
  // Each operation gets the whole line: an instrument error of an earlier one, which the caller
  // has seen through FlagAbort, must not make this one skip commands silently.
  m_channel->TestAbortFlag_let(false);
  runState().beginOperation();
  m_state = evsBusy;
  m_result = std::make_shared<CTrxTestResult>();
  runOperation([this] { m_interpreter->ZeroLead(*m_result); });
  return true;
}

void CTrxVti::Progress_set(std::shared_ptr<TrxProgress> progress) {
  m_progress = std::move(progress);
  m_interpreter->setProgress(m_progress.get());
}

void CTrxVti::RunSafetyTest(const std::shared_ptr<CTrxSafetyTest>& cetTest,
                            platform::forms::Form* objfrmTestGuide) {
  // The entry checks come first: a call refused because another operation runs must not
  // touch that operation's flags.
  entryChecks();
  m_interpreter->setEcgActive(false);
  if (!cetTest) Raise(errVTI_InvalidTest, {0, 0, 0});
  m_channel->TestAbortFlag_let(false);
  runState().beginOperation();
  m_state = evsBusy;
  m_result = std::make_shared<CTrxTestResult>();
  runOperation([&] { m_interpreter->RunSafetyTest(*cetTest, *m_result, objfrmTestGuide); });
}

}  // namespace vti
