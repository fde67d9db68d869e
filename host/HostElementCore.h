#pragma once

#include "host/ElementCoreBase.h"

namespace host {

// The common state of a test element, kept and stored for it by the host (layout in
// ElementCoreState).
class HostElementCore : public ElementCoreBase<host_api::IElementCore> {
 public:
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;
  void Terminate() override { m_state.terminate(); }
};

}  // namespace host
