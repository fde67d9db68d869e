#include "host/HostInstrumentData.h"

namespace host {

void HostInstrumentData::SetModel(const std::string& model, int32_t index) {
  m_model = model;
  m_index = index;
}

void HostInstrumentData::SetIdentity(const std::string& modelText, const std::string& serialNumber,
                                     const std::string& firmware) {
  m_modelText = modelText;
  m_serialNumber = serialNumber;
  m_firmware = firmware;
}

}  // namespace host
