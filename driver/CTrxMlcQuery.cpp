#include "driver/CTrxMlcQuery.h"

#include <charconv>

#include "driver/CChannel.h"
#include "driver/MError.h"
#include "driver/MPortTable.h"
#include "platform/ComError.h"
#include "platform/EventLoop.h"
#include "platform/forms/MessageBox.h"

namespace vti {

namespace {

constexpr const char* kSource = "CTrxMlcQuery";
constexpr const char* kLineSettings = "115200,N,8,1";
constexpr const char* kCrLf = "\r\n";
constexpr uint16_t kReadyForRemote = 0x4;  // STAT
constexpr uint16_t kNoTestMode = 0x1;      // STAT1

[[noreturn]] void fail(const char* what) {
  throw platform::ComError(platform::RuntimeError::TypeMismatch, kSource, what);
}

// A status word: the first four characters of the reply, hexadecimal.
uint16_t statusWord(const std::string& reply) {
  uint16_t word = 0;
  const char* first = reply.data();
  const char* last = first + std::min<size_t>(reply.size(), 4);
  auto [end, ec] = std::from_chars(first, last, word, 16);
  if (reply.size() < 4 || ec != std::errc() || end != last) fail("Status word is not hexadecimal");
  return word;
}

std::string firstLine(const std::string& reply) {
  size_t end = reply.find(kCrLf);
  return end == std::string::npos ? std::string() : reply.substr(0, end);
}

// Field `index` (zero-based) of a comma-separated reply, without the line end.
std::string field(const std::string& reply, size_t index) {
  std::string line = reply.ends_with(kCrLf) ? reply.substr(0, reply.size() - 2) : reply;
  size_t begin = 0;
  for (size_t i = 0; i < index; ++i) {
    begin = line.find(',', begin);
    if (begin == std::string::npos) fail("Identity reply has too few fields");
    ++begin;
  }
  return line.substr(begin, line.find(',', begin) - begin);
}

// The operator must learn of a trip, but a screen that cannot show the box (no terminal) must
// not keep the instrument from being reset.
void tellOperator(const std::string& messageText) {
  try {
    platform::forms::msgBox(MError::TranslateText(messageText), CTrxMlcQuery::kModel);
  } catch (const std::exception&) {
  }
}

}  // namespace

CTrxMlcQuery::~CTrxMlcQuery() { CloseQueryPort(); }

host_api::MLCQueryResult CTrxMlcQuery::QueryMTI(int32_t lPort) {
  std::shared_ptr<platform::serial::SerialPort> port;
  try {
    port = MPortTable::CreatePort(lPort);
  } catch (const std::exception&) {
  }
  return QueryMTI(std::move(port));
}

host_api::MLCQueryResult CTrxMlcQuery::QueryMTI(
    std::shared_ptr<platform::serial::SerialPort> port) {
  m_serialNo.clear();
  m_fwVersion.clear();
  host_api::MLCQueryResult result;
  try {
    OpenQueryPort(std::move(port));
    result = identify();
  } catch (...) {
    result = {};
  }
  // Closed on every path, also after a failure: a port left open would keep the next scan, and
  // every other program, from the instrument until this object goes away.
  CloseQueryPort();
  return result;
}

host_api::MLCQueryResult CTrxMlcQuery::identify() {
  host_api::MLCQueryResult result;
  // Take the instrument out of remote mode and out of any dialogue before asking.
  QueryWait(100);
  SendAndReceive("LOCAL\r\n", kCrLf, 1000);
  QueryWait(100);
  SendAndReceive("\x1b", kCrLf, 500);
  QueryWait(50);

  std::string reply = SendAndReceive("STAT\r\n", kCrLf, 500);
  QueryWait(50);
  if (reply.size() <= 4 || reply.front() == '!') return result;
  if ((statusWord(reply) & kReadyForRemote) == 0) {
    // Someone is at the front panel: it is our instrument, but it will not talk now.
    result.Model = kModel;
    result.Status = host_api::MLCQueryResult::kNotReady;
    return result;
  }

  reply = SendAndReceive("IDENT\r\n", kCrLf, 500);
  QueryWait(50);
  resetTrip(reply);
  m_fwVersion = field(reply, 1);
  m_serialNo = firstLine(SendAndReceive("SN\r\n", kCrLf, 500));
  QueryWait(50);
  if (m_fwVersion.ends_with("440")) return result;

  // Leave no test mode selected behind. A status word that cannot be read counts as a mode
  // selected: EXIT is harmless when there is none.
  reply = SendAndReceive("STAT1\r\n", kCrLf, 500);
  QueryWait(50);
  bool noTestMode = false;
  try {
    noTestMode = (statusWord(reply) & kNoTestMode) != 0;
  } catch (const platform::ComError&) {
  }
  if (!noTestMode) {
    SendAndReceive("EXIT\r\n", kCrLf, 500);
    QueryWait(50);
  }
  result.Model = kModel;
  result.SerialNo = m_serialNo;
  result.FWVersion = m_fwVersion;
  result.Status = host_api::MLCQueryResult::kIdentified;
  return result;
}

void CTrxMlcQuery::resetTrip(const std::string& identReply) {
  if (identReply == "!50\r\n") {
    tellOperator("21914::Ground Fault Interrupt tripped");
    SendAndReceive("GFIR\r\n", kCrLf, 1500);
    QueryWait(100);
  } else if (identReply == "!51\r\n") {
    SendAndReceive("OVR\r\n", kCrLf, 1500);
    QueryWait(100);
    tellOperator("21915::Over voltage detected");
  }
}

void CTrxMlcQuery::OpenQueryPort(std::shared_ptr<platform::serial::SerialPort> port) {
  CloseQueryPort();
  if (!port) throw platform::ComError(platform::RuntimeError::ObjectRequired, kSource, "No port");
  m_form = std::make_unique<FPort>(std::move(port));
  m_form->OnTimeOut([this] {
    m_form->StopTimer();
    m_timeOut = true;
  });
  auto& comm = m_form->Comm();
  if (comm.isOpen()) comm.close();
  comm.setSettings(kLineSettings);
  comm.open();
  CChannel::CheckPortStatus(comm.status());
  comm.onReadable([] {});  // the loop wakes on arriving bytes; SendAndReceive reads them
  comm.discardInput();
}

void CTrxMlcQuery::CloseQueryPort() {
  if (!m_form) return;
  m_form->Unload();
  m_form.reset();
}

std::string CTrxMlcQuery::SendAndReceive(const std::string& sText, const std::string& sAck,
                                         int32_t lTmOut) {
  auto& comm = m_form->Comm();
  comm.discardInput();
  comm.write(sText);
  if (sAck.empty()) return {};
  std::string reply;
  bool acknowledged = false;
  bool overlong = false;
  waitForTimeOut(lTmOut, [&] {
    if (comm.inputCount() > 0) {
      reply += comm.read();
      acknowledged = reply.ends_with(sAck);
      // No answer of the analyzer comes near this size: it is noise, and collecting it
      // further would only fill memory.
      overlong = reply.size() > CChannel::kMaxReply;
      if (overlong) comm.discardInput();
    }
    return acknowledged || overlong;
  });
  return acknowledged && !overlong ? reply : std::string();
}

void CTrxMlcQuery::QueryWait(int32_t lTime) {
  waitForTimeOut(lTime, [] { return false; });
}

void CTrxMlcQuery::waitForTimeOut(int32_t lTime, const std::function<bool()>& done) {
  m_timeOut = false;
  m_form->StartTimer(lTime);
  platform::loop().processUntil([&] { return m_timeOut || done(); });
  m_form->StopTimer();
}

}  // namespace vti
