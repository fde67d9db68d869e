#include "plugin/elements/CTestSingle.h"

#include "driver/CTrxSafetyTest.h"
#include "host_api/HostServices.h"
#include "host_api/ITestInformation.h"
#include "plugin/config/CCfgResistOptions.h"
#include "plugin/config/CConfigResistance.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/elements/CSingleRun.h"
#include "plugin/elements/MElementRun.h"
#include "plugin/guide/CAutoRunSetup.h"

namespace plugin {

namespace {
constexpr const char* SingleTestKey = "::ST";
}  // namespace

CTestSingle::CTestSingle() : CTestLeaf(host_api::hostServices().classes.newElementCore()) {}

std::shared_ptr<CTestSingle> CTestSingle::Create() {
  return MErrorConvention::Guarded(MErrorConvention::ProgID(ClassName), {},
                                   [] { return std::shared_ptr<CTestSingle>(new CTestSingle()); });
}

std::shared_ptr<host_api::ITestElement> CTestSingle::Clone() const {
  return cloneAs<CTestSingle>();
}

int32_t CTestSingle::RunTest(CAutoRunSetup& setup) {
  return MElementRun::Guarded(ClassName, [&] {
    MElementRun::Highlight(self());
    MElementRun::PrepareSafetyTest(*SafetyTest_get(), setup);
    const auto code = SafetyTest_get()->TestCode_get();
    auto resistance = std::dynamic_pointer_cast<CConfigResistance>(Configuration_get());
    const bool zeroLead = code == vti::etcProtEarth || code == vti::etcPPRes;
    if (zeroLead && resistance && !resistance->Test_get()->SkipCalibration_get()) {
      setup.ShowCalibrationForm();
    }
    return CSingleRun(*this, setup).Run();
  });
}

std::vector<std::string> CTestSingle::GetMeasurementList() const {
  return MErrorConvention::Guarded(source(), {}, [&] {
    auto info = Info_get();
    return std::vector<std::string>{SingleTestKey, info ? info->Name_get() : std::string()};
  });
}

}  // namespace plugin
