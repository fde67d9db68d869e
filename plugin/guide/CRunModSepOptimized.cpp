#include "plugin/guide/CRunModSepOptimized.h"

#include "driver/TrxTypes.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/guide/MRunSteps.h"

namespace plugin {

void CRunModSepOptimized::runFirstPass(const std::shared_ptr<IAutoTest>& iat) {
  for (int32_t phase : MRunSteps::AllPhases) {
    m_phase = phase;
    runElement(iat, false);
  }
}

void CRunModSepOptimized::runModule(const std::shared_ptr<IAutoTest>& iat) {
  for (int32_t phase : MRunSteps::PoweredPhases) {
    m_phase = phase;
    runElement(iat, true);
  }
}

bool CRunModSepOptimized::leafTakesPart(const IAutoTest& leaf, bool requiresModules) const {
  return MRunSteps::PhaseOf(leaf) == m_phase && CRunModSep::leafTakesPart(leaf, requiresModules);
}

const std::vector<int32_t>& CRunModSepOptimized::moduleTestCodes() const {
  static const std::vector<int32_t> codes{vti::etcPatLeak,  vti::etcMAP,     vti::etcPatAux,
                                          vti::etcDAPLeak,  vti::etcAltAppl, vti::etcIRAppl,
                                          vti::etcIRAppl2N, vti::etcIRMap};
  return codes;
}

}  // namespace plugin
