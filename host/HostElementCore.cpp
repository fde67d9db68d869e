#include "host/HostElementCore.h"

namespace host {

void HostElementCore::Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  m_state.load(element, log, nullptr);
}

std::shared_ptr<host_api::IXmlElement> HostElementCore::Save(host_api::IXmlElement& owner) const {
  return m_state.save(owner, nullptr);
}

}  // namespace host
