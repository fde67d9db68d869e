#include "plugin/elements/CTestMulti.h"

#include "host_api/HostServices.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/modules/CModuleSetup.h"

namespace plugin {

CTestMulti::CTestMulti() : CTestLeaf(host_api::hostServices().classes.newElementCore()) {
  restartSequence();
}

std::shared_ptr<CTestMulti> CTestMulti::Create() {
  return MErrorConvention::Guarded(MErrorConvention::ProgID(ClassName), {},
                                   [] { return std::shared_ptr<CTestMulti>(new CTestMulti()); });
}

void CTestMulti::restartSequence() {
  m_position = 1;
  m_inProgress = false;
  m_moduleCursor = 1;
  m_groupCounter = 0;
  m_groupId = 0;
  m_testedModules = std::make_shared<CModuleSetup>();
}

std::shared_ptr<host_api::ITestElement> CTestMulti::Clone() const { return cloneAs<CTestMulti>(); }

}  // namespace plugin
