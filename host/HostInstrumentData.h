#pragma once

#include <string>

#include "host_api/IInstrumentData.h"

namespace host {

// The host's record of one connected instrument, kept in memory for the session.
class HostInstrumentData : public host_api::IInstrumentData {
 public:
  void SetModel(const std::string& model, int32_t index) override;
  void SetIdentity(const std::string& modelText, const std::string& serialNumber,
                   const std::string& firmware) override;

  std::string Model() const override { return m_model; }
  int32_t Index() const override { return m_index; }
  std::string ModelText() const override { return m_modelText; }
  std::string SerialNumber() const override { return m_serialNumber; }
  std::string Firmware() const override { return m_firmware; }

 private:
  std::string m_model;
  int32_t m_index = 0;
  std::string m_modelText;
  std::string m_serialNumber;
  std::string m_firmware;
};

}  // namespace host
