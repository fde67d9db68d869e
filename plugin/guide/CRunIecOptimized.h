#pragma once

#include <cstdint>
#include <memory>

#include "plugin/core/IRunner.h"

namespace plugin {

// Runs a tree once per power phase of the analyzer's outlet, so that the tests of one supply
// state run together and the device under test is switched as seldom as possible. Nested groups
// follow the same order whatever their own options say; elements of other plug-ins cannot take
// part and are left out.
class CRunIecOptimized : public IRunner {
 public:
  static constexpr const char* ClassName = "CRunIecOptimized";

  void Run(const std::shared_ptr<IAutoTest>& iat, CAutoRunSetup& cas) override;

 private:
  void runElement(const std::shared_ptr<IAutoTest>& iat);

  CAutoRunSetup* m_cas = nullptr;
  int32_t m_phase = 0;
};

}  // namespace plugin
