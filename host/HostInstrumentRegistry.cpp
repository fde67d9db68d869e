#include "host/HostInstrumentRegistry.h"

namespace host {

namespace {
std::string modelKey(const std::string& model) {
  return std::string(HostInstrumentRegistry::kInstrumentsKey) + "\\" + model;
}
}  // namespace

HostInstrumentRegistry::HostInstrumentRegistry(KeyFactory newKey) : m_newKey(std::move(newKey)) {}

int32_t HostInstrumentRegistry::AssignedPort(const std::string& model) {
  auto key = m_newKey();
  if (!key->Open(host_api::RegistryRoot::LocalMachine, modelKey(model))) return 0;
  // A negative or unreadable entry assigns nothing: the caller then connects to no port.
  int32_t port = key->ReadLong("Port").value_or(0);
  return port > 0 ? port : 0;
}

void HostInstrumentRegistry::AssignPort(const std::string& model, int32_t port) {
  auto key = m_newKey();
  key->Open(host_api::RegistryRoot::LocalMachine, modelKey(model), true);
  key->WriteLong("Port", port);
}

}  // namespace host
