#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "driver/FPort.h"
#include "driver/RunState.h"
#include "driver/TrxTypes.h"
#include "platform/MessageText.h"
#include "platform/Object.h"
#include "platform/Variant.h"
#include "platform/serial/SerialPort.h"

namespace vti {

// The command channel to the analyzer: one ASCII command at a time, each reply collected up to
// its acknowledgement and checked for instrument errors, refused commands retried. Every wait
// runs the event loop, so the operator's Stop (Abort) and other events are handled while a
// command is under way; a command started from such an event finds the channel busy.
//
// Argument names follow the command set's conventions: fParse true makes a call unchecked
// (instrument error replies are returned, not raised), fCheck true makes it no-raise (a missing
// reply gives empty text instead of an error).
class CChannel {
 public:
  // The largest reply collected while waiting for its acknowledgement; a peer that keeps sending
  // without one ends in the time-out error instead of filling memory.
  static constexpr size_t kMaxReply = 64 * 1024;

  CChannel() = default;
  ~CChannel();
  CChannel(const CChannel&) = delete;
  CChannel& operator=(const CChannel&) = delete;

  ETrxVtiState State_get() const { return m_state; }
  bool TimeOut_get() const { return m_timeOut; }
  int16_t Port_get() const { return m_port; }
  // Ends the wait under way (a reply, a pause); the next command is sent as usual.
  void Abort() { m_run.interruptWait(); }

  // Opens serial port `lPort` (resolved through the port table, see MPortTable).
  void OpenPort(int32_t lPort);
  // Opens a port made by the caller: a device path (MPortTable::CreatePort) or one end of a
  // VirtualSerialLink. `lPort` is the number to report; with 0 messages name the device.
  void OpenPort(std::shared_ptr<platform::serial::SerialPort> port, int32_t lPort = 0);
  void ClosePort();

  std::string Transmit(const std::string& sTxData, const std::string& sAck = {},
                       bool fParse = false, bool fCheck = false);
  std::string Receive(std::string& sAck, int32_t& lTmOut, bool fParse = false, bool fCheck = false);
  // Collects the readings the instrument streams for `lTime` seconds and returns the last one.
  std::string ReceiveOneFromMany(int32_t& lTime,
                                 const std::shared_ptr<platform::Object>& test = nullptr);
  void Wait(int32_t lTime);

  std::string ParseResult(const std::string& sReply, bool fParse);
  bool ErrorCheck(const std::string& sLine, bool fParse) const;
  [[noreturn]] void ProcessErrorCode(const std::string& sLine);

  bool TransmitReceiveFlag_get() const { return m_transmitReceiveFlag; }
  void TransmitReceiveFlag_let(bool value) { m_transmitReceiveFlag = value; }
  // Whether the instrument refused a command or stopped answering; while set, TransmitCmd
  // sends nothing.
  bool TestAbortFlag_get() const { return m_run.has(RunState::Condition::InstrumentFailed); }
  void TestAbortFlag_let(bool value) { m_run.instrumentFailed(value); }

  // The stop and abort state of the connection this channel serves (internal to the driver).
  RunState& runState() { return m_run; }
  const RunState& runState() const { return m_run; }

  std::string TransmitCmd(const std::string& sTxData, const std::string& sAck = {},
                          bool fParse = false, int32_t lTransmitCount = 0);
  // The pause (ms) before a command is sent again after its `attempt`-th attempt failed: the
  // first failure is repeated at once, later ones after a growing pause.
  static int32_t RetryPause(int32_t attempt) { return attempt >= 2 ? (attempt - 1) * 100 : 0; }

  // Raises the error that a port's status text after opening stands for; "Connected" passes.
  // Shared with the presence query, which opens its port on its own.
  static void CheckPortStatus(const std::string& status);

 private:
  template <typename MakePort>
  void openWith(MakePort makePort, int32_t lPort, platform::Variant portName);
  bool waitInterrupted() const { return m_run.has(RunState::Condition::WaitInterrupted); }
  void requireIdle();
  void requireOpenForm() const;
  // Collects the reply up to `sAck`, at most `lTmOut` ms; true when it was acknowledged.
  bool collectReply(const std::string& sAck, int32_t lTmOut, std::string& reply);
  // Waits while the written command is still leaving the port, at most `timeout` ms.
  void waitForOutput(int32_t timeout);
  [[noreturn]] void raise(int32_t number, const platform::Parameters& params = {}) const;
  [[noreturn]] void raiseInvalidReply(const std::string& reply, const char* source) const;

  ETrxVtiState m_state = evsClosed;
  int16_t m_port = 0;
  // How messages name the port: its number, or the device when it was opened without one.
  platform::Variant m_portName = int32_t(0);
  RunState m_run;
  bool m_timeOut = false;
  bool m_transmitReceiveFlag = false;
  std::unique_ptr<FPort> m_form;
};

}  // namespace vti
