#include "driver/CTrxVti.h"

#include <cctype>
#include <charconv>
#include <deque>

#include "driver/CChannel.h"
#include "driver/CMicroSequence.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"
#include "driver/FStopOnPC.h"
#include "driver/FWaitOnPC.h"
#include "driver/MCommands.h"
#include "driver/MError.h"
#include "driver/MResources.h"
#include "host_api/HostServices.h"
#include "platform/ComError.h"
#include "platform/ErrorBoundary.h"
#include "platform/EventLoop.h"
#include "platform/forms/MessageBox.h"

namespace vti {

namespace {

constexpr const char* kClassName = "CTrxVti";
constexpr const char* kModel = "TRX440";
const std::string kCrLf = "\r\n";
const std::string kAck = "*\r\n";
const std::string kEsc = "\x1b";
constexpr int32_t kAttempts = 3;
constexpr int32_t kUnknownErrorMessage = 21900;
constexpr const char* kGroundFaultText = "21914::Ground Fault Interrupt tripped";

// Status bits of the analyzer.
constexpr uint32_t kStatReadyForRemote = 0x4;   // STAT
constexpr uint32_t kStat1NoTestMode = 0x1;      // STAT1
constexpr uint32_t kStat2OutletOn = 0x8;        // STAT2
constexpr uint32_t kStat2Reversed = 0x200;      // STAT2
constexpr uint32_t kStat2HighVoltage = 0x3040;  // STAT2
constexpr uint32_t kStat3GroundFault = 0x4000;  // STAT3

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}
bool endsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}
bool refused(const std::string& reply) { return !reply.empty() && reply.front() == '!'; }

[[noreturn]] void raise(int32_t number, const platform::Parameters& params = {}) {
  MError::RaiseVtiError(number, kClassName, {}, params);
}
[[noreturn]] void raiseInvalidReply(const std::string& reply) {
  raise(errVTI_InvalidReply, {MError::EscapeControlChars(reply)});
}

// A status word as the analyzer writes it (hexadecimal digits). Empty text, which the channel
// gives when it sent nothing, reads as no bit set; anything else that is not a number is an
// invalid reply, never a status word of arbitrary bits.
uint32_t statusWord(const std::string& reply) {
  if (reply.empty()) return 0;
  uint32_t value = 0;
  auto [end, ec] = std::from_chars(reply.data(), reply.data() + reply.size(), value, 16);
  if (ec != std::errc() || end != reply.data() + reply.size()) raiseInvalidReply(reply);
  return value;
}

// The milliseconds of a "#WAIT=<ms>" directive.
int32_t waitTime(const std::string& directive) {
  size_t eq = directive.find('=');
  int32_t value = 0;
  if (eq != std::string::npos) {
    std::from_chars(directive.data() + eq + 1, directive.data() + directive.size(), value);
  }
  return value;
}

std::vector<std::string> splitFields(const std::string& text, char separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t pos; (pos = text.find(separator, start)) != std::string::npos; start = pos + 1) {
    fields.push_back(text.substr(start, pos - start));
  }
  fields.push_back(text.substr(start));
  return fields;
}

// The tests that never switch the mains polarity.
bool keepsPolarity(ETrxTestCode code) {
  return (code >= etcMains && code <= etcIRAppl2N) || (code >= etcPPVolt && code <= etcPPLeak) ||
         code == etcAltEquip || code == etcAltAppl;
}

bool isOpenNeutral(ETrxPowerConfiguration pc) { return pc == epcON || pc == epcONRM; }
bool isPowered(ETrxPowerConfiguration pc) {
  return pc == epcNC || pc == epcOE || pc == epcNCRM || pc == epcOERM;
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
      m_result(std::make_shared<CTrxTestResult>()) {}

CTrxVti::~CTrxVti() {
  // A connection dropped without EndRemote still leaves the analyzer local with its outlet off.
  if (m_state != evsClosed) EndRemote(nullptr);
}

void CTrxVti::Abort() {
  m_abort = true;
  m_stop = true;
  m_channel->Abort();
}

bool CTrxVti::FlagAbort() const { return m_stop || m_channel->TestAbortFlag_get(); }

bool CTrxVti::ChkCmdAppPODelay(const std::string& sCommandName) const {
  return MCommands::IsPowerOffCommand(sCommandName);
}

void CTrxVti::entryChecks() const {
  if (m_state == evsClosed) raise(errVTI_NotOpen, {int32_t(m_channel->Port_get())});
  if (m_state == evsBusy || m_state == evsConnecting) raise(errVTI_Busy);
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
  m_stop = false;
  m_channel->TestAbortFlag_let(false);
  if (m_state != evsClosed) raise(errVTI_AlreadyOpen, {int32_t(m_channel->Port_get())});
  try {
    initRemoteSteps(openPort);
  } catch (...) {
    // A close asked for meanwhile is done by the failure path.
    m_closeRequested = false;
    closeAfterFailedConnect();
    handleCurrentError();
  }
}

void CTrxVti::initRemoteSteps(const std::function<bool()>& openPort) {
  m_state = evsConnecting;
  m_abort = false;
  m_power.Power_let(epcOff);
  if (!openPort()) {
    m_state = evsClosed;
    return;
  }
  // Closing the connection while it is being made ends it after the step under way.
  auto checkAbort = [this] {
    if (m_abort) raise(errVTI_UserAbort);
  };
  checkAbort();
  m_channel->TransmitCmd(kEsc, kCrLf, false, kAttempts);
  m_channel->Wait(250);
  checkAbort();
  uint32_t status = statusWord(m_channel->TransmitCmd("STAT", kCrLf, true, kAttempts));
  checkAbort();
  if ((status & kStatReadyForRemote) == 0) {
    m_channel->Wait(30);
    std::string reply = m_channel->TransmitCmd("REMOTE", kCrLf, true, kAttempts);
    checkAbort();
    if (reply != kAck) {
      m_stop = m_channel->TestAbortFlag_get();
      if (m_stop) m_channel->TestAbortFlag_let(false);
      raiseInvalidReply(reply);
    }
  }
  m_channel->TransmitCmd("RPTIME=" + std::to_string(m_options->PolaritySwitchingDelay_get()), kCrLf,
                         true, kAttempts);
  m_channel->Wait(10);
  checkAbort();
  ReadIdentity();
  checkAbort();
  m_state = evsIdle;
}

void CTrxVti::closeAfterFailedConnect() {
  if (m_channel->State_get() != evsClosed) {
    // Unanswered, LOCAL goes out as often as any command is tried.
    sendFinalLocal(kAttempts);
    platform::IgnoreErrors([&] { m_channel->ClosePort(); });
  }
  m_state = evsClosed;
}

void CTrxVti::sendFinalLocal(int32_t attempts) {
  // Sent without waiting for an answer, and also after the channel stopped sending because of
  // an error: whatever went wrong, an analyzer that still listens goes back to local operation
  // with its outlet off. The channel's error flag stays as it was for the caller.
  const bool stopped = m_channel->TestAbortFlag_get();
  m_channel->TestAbortFlag_let(false);
  platform::IgnoreErrors([&] { m_channel->Wait(50); });
  platform::IgnoreErrors([&] { m_channel->TransmitCmd("LOCAL", {}, false, attempts); });
  m_channel->TestAbortFlag_let(stopped || m_channel->TestAbortFlag_get());
}

void CTrxVti::ReadIdentity() {
  m_channel->Wait(50);
  std::string reply = m_channel->TransmitCmd("IDENT", kCrLf, true, kAttempts);
  std::vector<std::string> fields = splitFields(reply, ',');
  if (fields.size() < 2) raiseInvalidReply(reply);
  std::string serialNumber = m_channel->TransmitCmd("SN", kCrLf, true, kAttempts);
  auto& services = host_api::hostServicesSlot();
  if (services && services->newInstrumentData) {
    m_mtiData = services->newInstrumentData();
    m_mtiData->SetModel(kModel, 0);
    m_mtiData->SetIdentity(fields[0], serialNumber, fields[1]);
  }
}

void CTrxVti::EndRemote(platform::forms::Form* objfrmTestGuide) {
  const bool promptBefore = m_options->PowerOFFScreen_get() == eepo_before;
  m_lastPolarity.clear();
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
  if (m_state != evsClosed) endSession(objfrmTestGuide, promptBefore);
  platform::IgnoreErrors([&] { m_channel->ClosePort(); });
  m_state = evsClosed;
  m_power.Power_let(epcOff);
  m_closing = false;
}

void CTrxVti::endSession(platform::forms::Form* owner, bool promptBefore) {
  platform::IgnoreErrors([&] { HandleStopDirective("#STOP=BPC", epcOff, owner, false, false); });
  if (m_channel->TransmitReceiveFlag_get()) {
    // The last command went unanswered: ask nothing more, but still tell the analyzer to go
    // local, in case the line came back.
    m_channel->TransmitReceiveFlag_let(false);
    sendFinalLocal(1);
    return;
  }
  auto send = [this](const std::string& command) {
    return m_channel->Transmit(command, kCrLf, false, false);
  };
  if (m_ecgActive) {
    platform::IgnoreErrors([&] {
      m_channel->Wait(50);
      send(kEsc);
    });
    m_ecgActive = false;
  }
  platform::IgnoreErrors([&] {
    m_channel->Wait(50);
    if ((statusWord(send("STAT1")) & kStat1NoTestMode) == 0) {
      m_channel->Wait(50);
      send("EXIT");
    }
  });
  platform::IgnoreErrors([&] {
    m_channel->Wait(50);
    if (statusWord(send("STAT3")) & kStat3GroundFault) {
      platform::IgnoreErrors([&] {
        platform::forms::msgBox(MError::TranslateText(kGroundFaultText), kModel,
                                platform::forms::MessageButtons::OK,
                                platform::forms::MessageIcon::None, owner);
      });
      m_channel->Wait(50);
      send("GFIR");
    }
  });
  if (promptBefore) {
    platform::IgnoreErrors([&] { HandleStopDirective("#STOP=BPC", epcOff, owner, false, true); });
  }
  bool local = false;
  platform::IgnoreErrors([&] {
    m_channel->Wait(50);
    local = send("LOCAL") == kAck;
  });
  // A LOCAL lost on the line would leave the analyzer under remote control with its outlet as
  // the test left it; it is sent once more, without waiting this time.
  if (!local) sendFinalLocal(1);
}

// ---------------------------------------------------------------------------------------------
// Operations on an open connection

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
  try {
    m_channel->Wait(50);
    uint32_t status = statusWord(m_channel->TransmitCmd("STAT2", kCrLf, false, kAttempts));
    if (status & kStat2HighVoltage) raise(errVTI_Busy);
    endOperation();
    return false;
  } catch (...) {
    endOperation();
    handleCurrentError();
  }
}

bool CTrxVti::Calibrate() {
  entryChecks();
  // Each operation gets the whole line: an instrument error of an earlier one, which the caller
  // has seen through FlagAbort, must not make this one skip commands silently.
  m_channel->TestAbortFlag_let(false);
  m_abort = false;
  m_state = evsBusy;
  m_result = std::make_shared<CTrxTestResult>();
  try {
    calibrateSteps();
    endOperation();
    return true;
  } catch (...) {
    endOperation();
    handleCurrentError();
  }
}

void CTrxVti::calibrateSteps() {
  CMicroSequence sequence;
  sequence.Initialize(etcProtEarth, epcOff, "-1", *m_options);
  for (int32_t i = 0; i < sequence.Count_get(); ++i) {
    const std::string instruction = sequence.Instruction(i);
    if (startsWith(instruction, "#MANY") || startsWith(instruction, "#READ")) {
      ReadMeasurement("ZERO", nullptr);
    } else if (!startsWith(instruction, "#") && !instruction.empty()) {
      m_channel->TransmitCmd(instruction, kCrLf, false, kAttempts);
    }
    if (m_abort) break;
  }
  if (m_abort) {
    m_result->SetState(etsAborted);
    raise(errVTI_UserAbort);
  }
}

void CTrxVti::RunSafetyTest(const std::shared_ptr<CTrxSafetyTest>& cetTest,
                            platform::forms::Form* objfrmTestGuide) {
  // The entry checks come first: a call refused because another operation runs must not
  // touch that operation's flags.
  entryChecks();
  m_ecgActive = false;
  if (!cetTest) raise(errVTI_InvalidTest, {0, 0, 0});
  m_channel->TestAbortFlag_let(false);
  m_abort = false;
  m_state = evsBusy;
  m_result = std::make_shared<CTrxTestResult>();
  try {
    runSafetyTestSteps(*cetTest, objfrmTestGuide);
    endOperation();
  } catch (...) {
    endOperation();
    handleCurrentError();
  }
}

void CTrxVti::runSafetyTestSteps(const CTrxSafetyTest& test, platform::forms::Form* owner) {
  auto sequence = test.CreateMicroSequence(*m_options);
  checkNoEmptyCommand(*sequence, test.TestCode_get());
  sendStandard();
  if (keepsPolarity(test.TestCode_get())) m_lastPolarity.clear();
  m_leadStd = test.LEADSTD_get();
  RunMicroSequence(*sequence, test, owner);
  if (m_abort) {
    sequence->GetResetInstructions(sequence->Count_get());
    m_result->SetState(etsAborted);
    raise(errVTI_UserAbort);
  }
}

void CTrxVti::checkNoEmptyCommand(const CMicroSequence& sequence, ETrxTestCode code) const {
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
    raise(errVTI_InvalidMuSeq,
          {int32_t(8000 + code), MError::EscapeControlChars(text), std::string("(empty)")});
  }
}

void CTrxVti::sendStandard() {
  std::string reply = m_channel->TransmitCmd(standardCommand(m_options->TestStandard_get()), kCrLf,
                                             true, kAttempts);
  if (refused(reply)) raiseInvalidReply(reply);
}

// ---------------------------------------------------------------------------------------------
// The interpreter

void CTrxVti::RunMicroSequence(const CMicroSequence& sequence, const CTrxSafetyTest& test,
                               platform::forms::Form* owner) {
  const ETrxPowerConfiguration pc = test.PowerConfig_get();
  std::deque<std::string> followUps;
  for (int32_t i = 0; i < sequence.Count_get(); ++i) {
    const std::string instruction = sequence.Instruction(i);
    if (!m_stop) {
      if (m_abort) break;
      if (startsWith(instruction, "#STOP")) {
        carryOutStop(sequence, i, pc, owner);
      } else if (startsWith(instruction, "#WAIT")) {
        m_channel->Wait(waitTime(instruction));
      } else if (startsWith(instruction, "#READ")) {
        ReadMeasurement("READ", owner);
      } else if (startsWith(instruction, "#MANY")) {
        ReadMeasurement("MREAD", owner);
      } else if (startsWith(instruction, "#DONE")) {
        m_result->SetState(etsCompleted);
      } else if (startsWith(instruction, "#")) {
        // Other directives are not the analyzer's business.
      } else if (startsWith(instruction, "POL=")) {
        SetPolarity(instruction, pc, owner);
      } else if (startsWith(instruction, "QUIT")) {
        m_channel->TransmitCmd(kEsc, kCrLf, false, kAttempts);
        m_forcePolarityPrompt = true;
        m_ecgActive = false;
      } else {
        std::string command = instruction;
        if (command == "ECG") m_ecgActive = true;
        if (command == "MAP" && m_options->TestStandard_get() == etsAAMI) command = "LEAD_ISO";
        if (command == "MAP" || command == "LEAD_ISO") {
          followUps.push_back(m_leadStd == enomAAMI ? "MAP=1MA" : "MAP=7.5MA");
        }
        SendCommand(command);
      }
    }
    if (m_abort) break;
    while (!followUps.empty() && !m_abort) {
      std::string command = std::move(followUps.front());
      followUps.pop_front();
      SendCommand(command);
    }
    if (m_abort) break;
  }
}

void CTrxVti::carryOutStop(const CMicroSequence& sequence, int32_t index, ETrxPowerConfiguration pc,
                           platform::forms::Form* owner) {
  const std::string directive = sequence.Instruction(index);
  const std::string next = sequence.Instruction(index + 1);
  const std::string previous = endsWith(directive, "APC") ? sequence.Instruction(index - 1) : "";
  const bool promptBefore = m_options->PowerOFFScreen_get() == eepo_before;
  if (startsWith(next, "NEUT=") || startsWith(next, "POL=")) {
    HandleStopDirective(directive, pc, owner, true, false);
  } else if (ChkCmdAppPODelay(next)) {
    if (promptBefore) HandleStopDirective(directive, pc, owner, false, false);
  } else if (ChkCmdAppPODelay(previous)) {
    if (!promptBefore) HandleStopDirective(directive, pc, owner, false, false);
  } else {
    HandleStopDirective(directive, pc, owner, false, false);
  }
}

void CTrxVti::SendCommand(const std::string& command) {
  std::string reply = m_channel->TransmitCmd(command, kCrLf, true, kAttempts);
  if (refused(reply)) {
    m_channel->Wait(250);
    reply = m_channel->Transmit(command, kCrLf, false, false);
  }
  m_channel->Wait(50);
  if (refused(reply)) raiseInvalidReply(reply);
}

std::string CTrxVti::transmitRead(const std::string& command) {
  // As the channel's TransmitCmd, except that the replies a read expects besides a reading
  // ("!21" overflow, "!22" not ready, "!32" no resistance reading) come back to be handled
  // instead of counting as refusals; instrument errors still raise with their text.
  m_channel->Wait(100);
  if (m_channel->TestAbortFlag_get() || m_abort) return {};
  for (int32_t attempt = 1;; ++attempt) {
    std::string reply = m_channel->Transmit(command, kCrLf, false, attempt < kAttempts);
    if (!reply.empty() || m_abort || attempt == kAttempts) return reply;
    if (int32_t pause = CChannel::RetryPause(attempt)) m_channel->Wait(pause);
    if (m_abort) return {};
  }
}

void CTrxVti::ReadMeasurement(const std::string& command, platform::forms::Form* owner) {
  std::string reply;
  for (int32_t notReady = 0; notReady < kAttempts && !m_abort;) {
    reply = transmitRead(command);
    if (reply == "!22") {
      m_channel->Wait(1000);
      ++notReady;
      continue;
    }
    if (reply == "!32") {
      if (command != "ZERO") askNoResistance(owner);
      break;
    }
    if (command == "MREAD" && (m_abort || (!reply.empty() && !refused(reply)))) {
      // The analyzer now streams readings; the last one of two seconds is taken, so the
      // reading has settled. An overflow ("!21") is taken as it is: a refusal is no reading
      // and need not start a stream, and waiting for one would end in a missing reply.
      // Stopped while the first reading was awaited, the analyzer may be streaming all the
      // same: the stream is ended without waiting for it.
      int32_t seconds = 2;
      if (!m_abort) reply = m_channel->ReceiveOneFromMany(seconds);
      m_channel->Wait(50);
      m_channel->TransmitCmd(kEsc, kCrLf, false, kAttempts);
      if (reply == "!32") askNoResistance(owner);
    }
    break;
  }
  if (m_abort) return;
  m_result->SetResult(reply, m_options->MeasType_get(), command);
  // An answer that carries no reading (garbage on the line, an analyzer that never got ready)
  // must not end the test as if it had merely not been performed: the operator is told.
  if (!reply.empty() && m_result->State_get() == etsNotPerformed) raiseInvalidReply(reply);
}

bool CTrxVti::askNoResistance(platform::forms::Form* owner) {
  FStopOnPC form;
  form.ShowSkip();
  form.ShowNoResistance(owner);
  const bool stopped = form.Cancel_get();
  form.unload();
  if (stopped) Abort();
  return !stopped;
}

// ---------------------------------------------------------------------------------------------
// Mains polarity

void CTrxVti::SetPolarity(const std::string& instruction, ETrxPowerConfiguration pc,
                          platform::forms::Form* owner) {
  const std::string letter(1, static_cast<char>(std::toupper(static_cast<unsigned char>(
                                  instruction.size() > 4 ? instruction[4] : ' '))));
  const std::string statusText = m_channel->TransmitCmd("STAT2", kCrLf, true, kAttempts);
  const uint32_t status = statusWord(statusText);
  const bool on = (status & kStat2OutletOn) != 0;
  const bool normal = on && (status & kStat2Reversed) == 0;
  const bool reversed = on && (status & kStat2Reversed) != 0;
  const bool offNow = m_power.WillToggleOff(pc);
  if (m_lastPolarity.empty()) {
    m_lastPolarity = letter;
    m_lastToggleOff = offNow;
  }
  if ((letter == "N" && normal) || (letter == "R" && reversed)) {
    m_lastPolarity = letter;
    m_lastToggleOff = offNow;
    if (letter == "N") m_forcePolarityPrompt = false;
    return;
  }
  const bool promptBefore = m_options->PowerOFFScreen_get() == eepo_before;
  const bool stopBefore = m_options->StopBeforeNewPC_get();
  bool prompted = false;
  if (letter != m_lastPolarity && !statusText.empty() && !stopBefore && promptBefore &&
      polarityPromptDue(pc, offNow)) {
    polarityPrompt(pc, offNow, letter, owner);
    prompted = true;
  }
  bool offAcknowledged = false;
  if (!m_stop && !m_abort) {
    offAcknowledged = m_channel->TransmitCmd("POL=OFF", kCrLf, true, kAttempts) == kAck;
    if (offAcknowledged && prompted) m_channel->Wait(1000);
  }
  if (offAcknowledged && letter != m_lastPolarity && !promptBefore && !stopBefore &&
      polarityPromptDue(pc, offNow)) {
    polarityPrompt(pc, offNow, letter, owner);
  }
  if (!m_stop && !m_abort) {
    std::string reply = m_channel->Transmit(instruction, kCrLf, true, false);
    if (refused(reply)) {
      // The analyzer may still be switching; it asks for its polarity delay between changes.
      m_channel->Wait(m_options->PolaritySwitchingDelay_get() * 1000);
      m_channel->TransmitCmd(instruction, kCrLf, false, kAttempts);
    }
  }
  m_lastPolarity = letter;
}

bool CTrxVti::polarityPromptDue(ETrxPowerConfiguration pc, bool offNow) const {
  const ETrxPowerConfiguration cur = m_power.Power_get();
  return m_forcePolarityPrompt ||
         (m_lastToggleOff != offNow && !isOpenNeutral(cur) && !isOpenNeutral(pc)) ||
         (isPowered(pc) && !isOpenNeutral(cur) && m_lastToggleOff && offNow);
}

void CTrxVti::polarityPrompt(ETrxPowerConfiguration pc, bool offNow, const std::string& letter,
                             platform::forms::Form* owner) {
  HandleStopDirective("#POL", pc, owner, false, false);
  m_lastPolarity = letter;
  m_lastToggleOff = offNow;
  m_forcePolarityPrompt = false;
}

// ---------------------------------------------------------------------------------------------
// Power-change prompts

void CTrxVti::HandleStopDirective(const std::string& directive, ETrxPowerConfiguration pc,
                                  platform::forms::Form* owner, bool beforePolarity, bool closing) {
  const bool toOn = m_power.WillToggleOn(pc);
  const bool toOff = m_power.WillToggleOff(pc);
  const size_t eq = directive.find('=');
  const std::string kind = eq == std::string::npos ? directive : directive.substr(eq + 1);
  const bool promptBefore = m_options->PowerOFFScreen_get() == eepo_before;
  FStopOnPC form;
  if (kind == "BPC") {
    if (m_options->StopBeforeNewPC_get() && (toOn || toOff)) {
      form.ShowStopBefore(toOn, toOff, owner);
    } else if (closing && toOff) {
      WaitAfterPowerChange(toOn, toOff, owner, promptBefore);
    }
  } else if (kind == "#POL" || kind == "ECG" || kind == "APC") {
    if (beforePolarity && !(promptBefore && toOff && !toOn)) return;
    if (toOn || toOff) {
      if (kind == "#POL" || !m_options->StopAfterNewPC_get()) {
        WaitAfterPowerChange(kind == "#POL" ? false : toOn, toOff, owner, promptBefore);
      } else {
        form.ShowStopAfter(toOn, owner);
      }
    }
    if (kind != "#POL") m_power.Power_let(pc);
  }
  if (form.Cancel_get()) {
    m_abort = true;
    m_stop = true;
  }
  form.unload();
}

void CTrxVti::WaitAfterPowerChange(bool toOn, bool toOff, platform::forms::Form* owner,
                                   bool promptBefore) {
  const int32_t on = m_options->DelayTimePowerOn_get();
  const int32_t off = m_options->DelayTimePowerOff_get();
  FWaitOnPC form;
  if (toOn && on >= 1) {
    form.WaitOnPC(FPowerPrompt::kPowerOn, on, owner, false);
  } else if (toOff && off >= 1) {
    form.WaitOnPC(FPowerPrompt::kPowerOff, off, owner, promptBefore);
  }
  if (form.Cancel_get()) {
    m_abort = true;
    m_stop = true;
  }
  form.unload();
}

}  // namespace vti
