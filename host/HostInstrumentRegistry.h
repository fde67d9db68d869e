#pragma once

#include <functional>
#include <memory>
#include <string>

#include "host_api/IInstrumentRegistry.h"
#include "host_api/IRegistryKey.h"

namespace host {

// The instrument registry kept in the host settings: one key per model under
// HKLM\Software\Tavik\orvel\Instruments (for example ...\Instruments\TRX440), whose number value
// "Port" is the serial port assigned to that model.
class HostInstrumentRegistry : public host_api::IInstrumentRegistry {
 public:
  static constexpr const char* kInstrumentsKey = "Software\\Tavik\\orvel\\Instruments";

  using KeyFactory = std::function<std::unique_ptr<host_api::IRegistryKey>()>;
  explicit HostInstrumentRegistry(KeyFactory newKey);

  int32_t AssignedPort(const std::string& model) override;
  void AssignPort(const std::string& model, int32_t port) override;

 private:
  KeyFactory m_newKey;
};

}  // namespace host
