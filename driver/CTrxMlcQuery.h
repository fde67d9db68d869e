#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "driver/FPort.h"
#include "host_api/IOrvelMLCQuery.h"
#include "platform/Object.h"
#include "platform/serial/SerialPort.h"

namespace vti {

// Tells the host whether an analyzer answers on a serial port, and which one: model, serial
// number and firmware version. It opens the port on its own (no channel, no remote connection),
// asks a few fixed questions, resets a tripped ground-fault interrupter or a detected
// over-voltage after telling the operator, and leaves the analyzer in local mode with the port
// closed again. It never raises: whatever goes wrong is reported as "nothing found".
class CTrxMlcQuery : public platform::Object, public host_api::IOrvelMLCQuery {
 public:
  static constexpr const char* kModel = "TRX440";

  CTrxMlcQuery() = default;
  ~CTrxMlcQuery() override;
  CTrxMlcQuery(const CTrxMlcQuery&) = delete;
  CTrxMlcQuery& operator=(const CTrxMlcQuery&) = delete;

  std::string MtiType_get() const override { return kModel; }
  std::string SerialNo_get() const override { return m_serialNo; }
  std::string FWVersion_get() const override { return m_fwVersion; }

  // Queries serial port `lPort` (resolved through the port table, see MPortTable).
  host_api::MLCQueryResult QueryMTI(int32_t lPort) override;
  // Queries a port made by the caller: a device path (MPortTable::CreatePort) or one end of a
  // VirtualSerialLink.
  host_api::MLCQueryResult QueryMTI(std::shared_ptr<platform::serial::SerialPort> port);

 private:
  host_api::MLCQueryResult identify();
  // Resets a ground fault or an over-voltage that the identity question was refused with.
  void resetTrip(const std::string& identReply);
  void OpenQueryPort(std::shared_ptr<platform::serial::SerialPort> port);
  void CloseQueryPort();
  // Writes `sText` as it stands and collects the raw reply up to `sAck` (line end included);
  // empty text when the acknowledgement does not arrive within `lTmOut` ms.
  std::string SendAndReceive(const std::string& sText, const std::string& sAck, int32_t lTmOut);
  void QueryWait(int32_t lTime);
  void waitForTimeOut(int32_t lTime, const std::function<bool()>& done);

  std::string m_serialNo;
  std::string m_fwVersion;
  std::unique_ptr<FPort> m_form;
  bool m_timeOut = false;
};

}  // namespace vti
