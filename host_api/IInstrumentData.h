#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <string>

namespace host_api {

// What the host records about the instrument a driver connected to: the model it was asked
// for, and what the instrument itself reported (model text, serial number, firmware).
class ORVEL_HOST_API IInstrumentData {
 public:
  virtual ~IInstrumentData();

  // Names the model the record is about; `index` tells several instruments of one model apart
  // (0 for the first).
  virtual void SetModel(const std::string& model, int32_t index) = 0;
  // Stores the identity the instrument reported.
  virtual void SetIdentity(const std::string& modelText, const std::string& serialNumber,
                           const std::string& firmware) = 0;

  virtual std::string Model() const = 0;
  virtual int32_t Index() const = 0;
  virtual std::string ModelText() const = 0;
  virtual std::string SerialNumber() const = 0;
  virtual std::string Firmware() const = 0;
};

}  // namespace host_api
