#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "plugin/guide/CRunModSep.h"

namespace plugin {

// Module by module as CRunModSep, and within each pass once per power phase of the outlet.
// Insulation tests of the applied parts also give a module its own pass.
class CRunModSepOptimized : public CRunModSep {
 public:
  static constexpr const char* ClassName = "CRunModSepOptimized";

 protected:
  void runFirstPass(const std::shared_ptr<IAutoTest>& iat) override;
  void runModule(const std::shared_ptr<IAutoTest>& iat) override;
  bool leafTakesPart(const IAutoTest& leaf, bool requiresModules) const override;
  const std::vector<int32_t>& moduleTestCodes() const override;
  const char* className() const override { return ClassName; }

 private:
  int32_t m_phase = 0;
};

}  // namespace plugin
