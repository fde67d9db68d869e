#include "driver/CChannel.h"

#include <charconv>
#include <limits>

#include "driver/MError.h"
#include "driver/MPortTable.h"
#include "platform/ComError.h"
#include "platform/EventLoop.h"

namespace vti {

namespace {

constexpr const char* kSource = "CChannel";
constexpr const char* kLineSettings = "115200,N,8,1";
constexpr const char* kCrLf = "\r\n";
constexpr const char* kAcknowledge = "*\r\n";
constexpr int32_t kSettleTime = 100;
constexpr int32_t kShortTimeOut = 1000;
constexpr int32_t kLongTimeOut = 10000;

// Commands the instrument answers at once, or that may go unanswered when it has already left
// remote mode, are given a short time-out so that closing a connection never hangs for long.
int32_t timeOutFor(std::string command) {
  if (command.ends_with(kCrLf)) command.resize(command.size() - 2);
  bool quick = command == "\x1b" || command == "LOCAL" || command == "EXIT" || command == "STAT1";
  return quick ? kShortTimeOut : kLongTimeOut;
}

// The code of an instrument error reply ("!33"): decimal digits only, blanks around allowed.
std::optional<int32_t> replyCode(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int16_t code = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), code);
  if (text.empty() || text.front() == '-' || ec != std::errc() ||
      end != text.data() + text.size()) {
    return std::nullopt;
  }
  return code;
}

// Runs `onExit` when the scope is left, however it is left.
template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F f) : m_f(std::move(f)) {}
  ~ScopeExit() { m_f(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  F m_f;
};

}  // namespace

CChannel::~CChannel() { ClosePort(); }

void CChannel::raise(int32_t number, const platform::Parameters& params) const {
  MError::RaiseVtiError(number, kSource, {}, params);
}

void CChannel::raiseInvalidReply(const std::string& reply, const char* source) const {
  MError::RaiseVtiError(errVTI_InvalidReply, source, {}, {MError::EscapeControlChars(reply)});
}

void CChannel::requireIdle() {
  if (m_state == evsClosed) raise(errVTI_NotOpen, {m_portName});
  if (m_state == evsBusy) raise(errVTI_Busy);
}

void CChannel::requireOpenForm() const {
  if (!m_form) MError::RaiseVtiError(errVTI_NotOpen, kSource, {}, {m_portName});
}

void CChannel::OpenPort(int32_t lPort) {
  openWith([lPort] { return MPortTable::CreatePort(lPort); }, lPort, platform::Variant(lPort));
}

void CChannel::OpenPort(std::shared_ptr<platform::serial::SerialPort> port, int32_t lPort) {
  platform::Variant name =
      lPort != 0 || !port ? platform::Variant(lPort) : platform::Variant(port->device());
  openWith([port] { return port; }, lPort, std::move(name));
}

template <typename MakePort>
void CChannel::openWith(MakePort makePort, int32_t lPort, platform::Variant portName) {
  if (m_state == evsIdle) raise(errVTI_AlreadyOpen);
  if (m_state == evsBusy) raise(errVTI_Busy);
  m_state = evsBusy;
  try {
    if (lPort < 0 || lPort > std::numeric_limits<int16_t>::max()) {
      throw platform::ComError(platform::RuntimeError::Overflow, kSource, "Overflow");
    }
    auto port = makePort();
    if (!port) throw platform::ComError(platform::RuntimeError::ObjectRequired, kSource, "No port");
    m_form = std::make_unique<FPort>(std::move(port));
    m_form->OnTimeOut([this] {
      m_form->StopTimer();
      m_timeOut = true;
    });
    if (m_form->Comm().isOpen()) m_form->Comm().close();
    m_form->Comm().setSettings(kLineSettings);
    // Let the line settle before it is opened.
    m_state = evsIdle;
    Wait(kSettleTime);
    if (!m_form) {  // closed by an event during the settle time
      throw platform::ComError(platform::RuntimeError::ObjectRequired, kSource, "Port closed");
    }
    m_state = evsBusy;
    auto& comm = m_form->Comm();
    comm.open();
    CheckPortStatus(comm.status());
    comm.onReadable([] {});  // the loop wakes on arriving bytes; the reply loops do the reading
    comm.discardInput();
    m_port = static_cast<int16_t>(lPort);
    m_portName = std::move(portName);
    m_state = evsIdle;
    m_run.beginChannelStep();
    m_timeOut = false;
  } catch (const std::exception&) {
    // Whatever went wrong, the caller learns that the port could not be opened.
    ClosePort();
    raise(errVTI_NotOpen, {portName});
  }
}

void CChannel::CheckPortStatus(const std::string& status) {
  auto fail = [](int32_t number) { MError::RaiseVtiError(number, kSource); };
  if (status == platform::serial::kStatusConnected) return;
  if (status == platform::serial::kStatusUnavailable) fail(errVTI_AlreadyOpen);
  if (status == platform::serial::kStatusNotFound) fail(errVTI_InvalidPort);
  fail(errVTI_Error);
}

void CChannel::ClosePort() {
  // Closing must always succeed, so each step ignores its own failure.
  m_transmitReceiveFlag = false;
  m_state = evsBusy;
  if (m_form) {
    m_form->Unload();
    m_form.reset();
  }
  m_state = evsClosed;
}

std::string CChannel::Transmit(const std::string& sTxData, const std::string& sAck, bool fParse,
                               bool fCheck) {
  requireIdle();
  m_state = evsBusy;
  m_run.beginChannelStep();
  m_timeOut = false;
  // Idle again however this ends, unless an event closed the channel meanwhile.
  ScopeExit idle([this] {
    if (m_state == evsBusy) m_state = evsIdle;
  });
  int32_t timeOut = timeOutFor(sTxData);
  if (!sTxData.empty()) {
    auto& comm = m_form->Comm();
    comm.discardInput();
    comm.write(sTxData.ends_with(kCrLf) ? sTxData : sTxData + kCrLf);
    waitForOutput(timeOut);
  }
  std::string ack = sAck;
  return Receive(ack, timeOut, fParse, fCheck);
}

void CChannel::waitForOutput(int32_t timeout) {
  if (!m_form || m_form->Comm().outputCount() == 0) return;
  auto& ev = platform::loop();
  bool expired = false;
  // The port raises no event when its output drains, so look again every millisecond; the
  // limit keeps a stalled line from holding the channel.
  platform::TimerId tick = ev.startRepeating(platform::Milliseconds(1), [] {});
  platform::TimerId limit =
      ev.startTimer(platform::Milliseconds(timeout), [&expired] { expired = true; });
  ScopeExit stop([&] {
    ev.stopTimer(tick);
    ev.stopTimer(limit);
  });
  ev.processUntil(
      [&] { return !m_form || m_form->Comm().outputCount() == 0 || waitInterrupted() || expired; });
}

std::string CChannel::Receive(std::string& sAck, int32_t& lTmOut, bool fParse, bool fCheck) {
  std::string reply;
  const bool acknowledged = !sAck.empty() && collectReply(sAck, lTmOut, reply);
  if (fCheck || acknowledged) {
    m_transmitReceiveFlag = false;
    return acknowledged ? ParseResult(reply, fParse) : std::string();
  }
  if (!waitInterrupted() && !sAck.empty()) {
    m_transmitReceiveFlag = true;
    m_run.instrumentFailed(true);
    raise(errVTI_NoReply, {m_portName});
  }
  return {};
}

bool CChannel::collectReply(const std::string& sAck, int32_t lTmOut, std::string& reply) {
  requireOpenForm();
  auto& comm = m_form->Comm();
  m_timeOut = false;
  m_form->StartTimer(lTmOut);
  ScopeExit stop([this] {
    if (m_form) m_form->StopTimer();
  });
  bool acknowledged = false;
  while (!acknowledged && !m_timeOut && !waitInterrupted()) {
    if (comm.inputCount() == 0) {
      // A line that has hung up can bring no acknowledgement: the wait ends as if timed out,
      // rather than leave the operator without news for the whole time-out.
      if (comm.hungUp()) {
        m_timeOut = true;
        break;
      }
      platform::loop().processUntil([&] {
        return m_timeOut || waitInterrupted() || !m_form || comm.inputCount() > 0 || comm.hungUp();
      });
      if (!m_form) break;  // closed from an event while we waited
      continue;
    }
    // The acknowledgement is tested after every read, so the reply is taken the moment its
    // last characters arrive.
    reply += comm.read();
    acknowledged = reply.ends_with(sAck);
    if (!acknowledged && reply.size() > kMaxReply) {
      comm.discardInput();
      m_timeOut = true;
    }
  }
  return acknowledged;
}

std::string CChannel::ReceiveOneFromMany(int32_t& lTime, const std::shared_ptr<platform::Object>&) {
  // Loop time is monotonic: midnight or a change of the system clock cannot stretch or cut it.
  auto& ev = platform::loop();
  const auto start = ev.now();
  const auto duration = std::chrono::seconds(lTime);
  std::string line;
  while (ev.now() - start <= duration && !waitInterrupted()) {
    std::string ack = kCrLf;
    int32_t timeOut = kLongTimeOut;
    line = Receive(ack, timeOut, false, false);
  }
  return line;
}

void CChannel::Wait(int32_t lTime) {
  if (m_state == evsBusy) raise(errVTI_Busy);
  if (m_state == evsClosed) raise(errVTI_NotOpen, {m_portName});
  m_state = evsBusy;
  m_run.beginChannelStep();
  m_timeOut = false;
  ScopeExit idle([this] {
    if (m_form) m_form->StopTimer();
    if (m_state == evsBusy) m_state = evsIdle;
  });
  m_form->StartTimer(lTime);
  platform::loop().processUntil([this] { return m_timeOut || waitInterrupted() || !m_form; });
}

std::string CChannel::ParseResult(const std::string& sReply, bool fParse) {
  // The bare acknowledgement keeps its line end: callers compare against "*\r\n".
  if (sReply == kAcknowledge) return sReply;
  size_t end = sReply.find(kCrLf);
  std::string line = end == std::string::npos ? std::string() : sReply.substr(0, end);
  // "!22" (reading not ready) is for the caller to retry, never an error here.
  if (line != "!22" && ErrorCheck(line, fParse)) ProcessErrorCode(line);
  return line;
}

bool CChannel::ErrorCheck(const std::string& sLine, bool fParse) const {
  bool errorLike = sLine.empty() || sLine.front() == '!';
  // "!21" is an overflow and "!32" a missing resistance reading: results, not failures.
  return errorLike && sLine != "!21" && sLine != "!32" && !fParse;
}

void CChannel::ProcessErrorCode(const std::string& sLine) {
  m_run.instrumentFailed(true);
  if (!sLine.empty() && sLine.front() == '!') {
    if (auto code = replyCode(std::string_view(sLine).substr(1))) {
      if (auto text = MError::InstrumentErrorText(*code)) {
        MError::RaiseVtiError(errVTI_TrxError, MError::kInstrumentSource, {},
                              {MError::TranslateText(*text)});
      }
    }
  }
  raiseInvalidReply(sLine, MError::kInstrumentSource);
}

std::string CChannel::TransmitCmd(const std::string& sTxData, const std::string& sAck, bool fParse,
                                  int32_t lTransmitCount) {
  Wait(100);
  // The operator may have stopped during the pause; then nothing more goes to the instrument.
  if (m_run.channelHalted()) return {};
  // A count below one would send nothing and look like an empty answer; send once instead.
  const int32_t attempts = std::max(lTransmitCount, int32_t(1));
  for (int32_t attempt = 1;; ++attempt) {
    const bool last = attempt == attempts;
    std::string reply = Transmit(sTxData, sAck, fParse, !last);
    if (!reply.empty() && reply.front() != '!') return reply;
    // The operator stopped: do not send again.
    if (waitInterrupted()) return {};
    if (last) {
      if (reply.empty()) return {};
      m_transmitReceiveFlag = true;
      m_run.instrumentFailed(true);
      raiseInvalidReply(reply, kSource);
    }
    if (int32_t pause = RetryPause(attempt)) Wait(pause);
    platform::loop().processPending();
  }
}

}  // namespace vti
